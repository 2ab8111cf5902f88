#pragma once
// The settings file kept whole in memory: ordered sections of ordered
// name/value entries, written back whole. No comments, no quoting, no
// trimming: the text before the first '=' is the name, the rest the value,
// byte for byte. Names compare exactly and case-sensitively.

#include <cstddef>
#include <string>
#include <vector>

namespace tavix {

// The texts left in LastError() (nothing shows them to the user).
inline constexpr const char* kIniErrOpen = "Unable to open ini file.";
inline constexpr const char* kIniErrNoKey = "Unable to locate specified key.";
inline constexpr const char* kIniErrNoValue = "Unable to locate specified value.";
inline constexpr const char* kIniErrSave = "Unable to save ini file.";

class CIniFile {
public:
    CIniFile() = default;
    virtual ~CIniFile() = default;

    void SetFilePath(const std::string& path);
    const std::string& FilePath() const { return path_; }

    // The longest line Load accepts, line end not counted. Loading stops at the
    // first longer line: it and everything after it are ignored, and what came
    // before is kept (Load still returns true).
    static constexpr std::size_t kMaxLineLength = 2047;

    // Adds the file's entries to what is in memory. False when the file is
    // missing (last error unchanged) or cannot be opened or read; nothing is
    // added then. Both CR LF and LF end a line.
    bool Load();
    // Rewrites the file from memory through a temporary file renamed over it,
    // so a failed write leaves the previous file whole. Returns false on failure
    // (callers may ignore it, as the settings stay in effect in memory); the
    // last error then starts with kIniErrSave. Lines end in CR LF; sections
    // without entries are not written.
    bool Save();
    // The text Save writes.
    std::string Text() const;

    int FindSection(const std::string& section) const;
    int FindEntry(int sectionIndex, const std::string& entry) const;
    int EntryCount(const std::string& section) const;

    // The value, or "" with the last error set when the section or entry is absent.
    std::string GetText(const std::string& section, const std::string& entry);
    // atoi / atof of GetText in the "C" locale (config/IniNumbers.h).
    int GetInt(const std::string& section, const std::string& entry);
    double GetReal(const std::string& section, const std::string& entry);

    // Sets the value. A missing section (appended at the end) or entry
    // (appended to its section) is created only when `create` is true.
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
