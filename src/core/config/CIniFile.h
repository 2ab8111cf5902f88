#pragma once
// The settings file kept whole in memory: ordered sections of ordered
// name/value entries, written back whole. No comments, no quoting, no
// trimming: the text before the first '=' is the name, the rest the value,
// byte for byte. Names compare exactly and case-sensitively.

#include <string>
#include <vector>

namespace tavix {

class CIniFile {
public:
    CIniFile() = default;
    virtual ~CIniFile() = default;

    void SetFilePath(const std::string& path);
    const std::string& FilePath() const { return path_; }

    // Adds the file's entries to what is in memory. False when the file is
    // missing (last error unchanged) or cannot be opened.
    bool Load();
    // Rewrites the file from memory through a temporary file renamed over it,
    // so a failed write leaves the previous file whole. Returns false on failure
    // (callers may ignore it, as the settings stay in effect in memory).
    bool Save();

    int FindSection(const std::string& section) const;
    int FindEntry(int sectionIndex, const std::string& entry) const;
    int EntryCount(const std::string& section) const;

    std::string GetText(const std::string& section, const std::string& entry);
    int GetInt(const std::string& section, const std::string& entry);
    double GetReal(const std::string& section, const std::string& entry);

    bool PutText(const std::string& section, const std::string& entry, const std::string& value,
                 bool create);
    bool PutInt(const std::string& section, const std::string& entry, int value, bool create);

    const std::string& LastError() const { return lastError_; }

private:
    struct key {
        std::vector<std::string> values;
        std::vector<std::string> names;
    };

    std::string path_;
    std::vector<key> sections_;
    std::vector<std::string> sectionNames_;
    std::string lastError_;
};

}  // namespace tavix
