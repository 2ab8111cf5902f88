#pragma once
// The settings file kept whole in memory: ordered sections of ordered
// name/value entries, written back whole. No comments, no quoting, no
// trimming: the text before the first '=' is the name, the rest the value,
// byte for byte. Names compare exactly and case-sensitively.
//
// Compact for any size: every name and value lives in one text buffer, an
// entry is a few numbers pointing into it, and one hash table each for
// sections and entries (keyed by section and name) keeps loading linear and
// lookups fast. A 10 MB file of tiny entries takes a few tens of MB.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "base/Translate.h"

namespace tavix {

// The texts left in LastError() (nothing shows them to the user).
inline constexpr const char* kIniErrOpen = "Unable to open ini file.";
inline constexpr const char* kIniErrNoKey = "Unable to locate specified key.";
inline constexpr const char* kIniErrNoValue = "Unable to locate specified value.";
inline constexpr const char* kIniErrSave = "Unable to save ini file.";

// Why a save failed, for the user (the file's path, then the line or the system's reason).
inline constexpr const char* kIniStoppedEarlyDetail = TAVIX_TR(
    "%s was left unchanged: its line %d is longer than 2047 characters, so nothing from that "
    "line on was read, and writing the file back would have lost it. The change holds until "
    "Tavix closes.");
inline constexpr const char* kIniWriteFailedDetail = TAVIX_TR("%s: %s");
inline constexpr const char* kIniTooLargeDetail = TAVIX_TR(
    "%s was left unchanged: it is %llu bytes, more than the 16 MB a settings file may have, so "
    "none of it was read.");
// Why a load failed, for the user: the file's path and the system's reason.
inline constexpr const char* kIniLoadFailedDetail = TAVIX_TR("%s: %s");

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

    // The line (counted from 1) at which the last Load stopped because it was
    // too long; 0 when the file was read to its end. A file read only in part
    // is never written back (Save refuses it), so what was not read survives.
    std::size_t StoppedAtLine() const { return stoppedAtLine_; }

    // The largest file Load reads; a larger one is refused whole (and, as it
    // was not read, never written back). Real settings files are a few KB.
    static constexpr std::uintmax_t kMaxFileSize = 16u * 1024u * 1024u;

    // Adds the file's entries to what is in memory. False when the file is
    // missing (last error unchanged) or cannot be opened or read, is no
    // regular file (a folder, a FIFO) or is larger than kMaxFileSize; nothing
    // is added then. Both CR LF and LF end a line.
    bool Load();
    // After a failed Load: the file and the reason, for the user; "" after a
    // Load that succeeded.
    const std::string& LoadFailureDetail() const { return loadFailure_; }
    // Writes the values changed (PutText) since the last Load or Save onto
    // the file as it is now, read again just before writing: another window
    // of the program that saved its own changes meanwhile keeps them. What is
    // in memory then matches the file. A file that no longer exists is
    // written whole from memory. The write goes through a temporary file
    // renamed over the old one, so a failed write leaves the previous file
    // whole. Returns false on failure
    // (callers may ignore it, as the settings stay in effect in memory); the
    // last error then starts with kIniErrSave. Lines end in CR LF; sections
    // without entries are not written.
    [[nodiscard]] bool Save();
    // After a failed Save: the file and the reason, for the user.
    [[nodiscard]] std::string SaveFailureDetail() const { return saveFailure_; }
    // Whether the last failed Save is to be shown to the user now: a failed
    // write each time, a file read only in part once (every later change is
    // refused for the same reason).
    bool TellSaveFailure();
    // The text Save writes.
    std::string Text() const;

    int FindSection(const std::string& section) const;
    int FindEntry(int sectionIndex, const std::string& entry) const;
    int EntryCount(const std::string& section) const;

    // The value, or "" with the last error set when the section or entry is absent.
    std::string GetText(const std::string& section, const std::string& entry) const;
    // atoi / atof of GetText in the "C" locale (config/IniNumbers.h).
    int GetInt(const std::string& section, const std::string& entry) const;
    double GetReal(const std::string& section, const std::string& entry) const;
    // The names of the sections, in file order.
    std::vector<std::string> SectionNames() const;

    // Sets the value. A missing section (appended at the end) or entry
    // (appended to its section) is created only when `create` is true.
    bool PutText(const std::string& section, const std::string& entry, const std::string& value,
                 bool create);
    bool PutInt(const std::string& section, const std::string& entry, int value, bool create);

    const std::string& LastError() const { return lastError_; }

private:
    // Sets the value without counting it as a change of this program's run.
    bool Set(std::string_view section, std::string_view entry, std::string_view value, bool create);

    struct Change {
        std::string section;
        std::string entry;
        std::string value;
    };

    // A text in text_.
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
    };
    struct Section {
        Span name;
        std::uint32_t entries = 0;  // how many entries it has
    };
    struct Entry {
        std::uint32_t section = 0;
        std::uint32_t place = 0;  // its place among its section's entries
        Span name;
        Span value;
    };

    std::string_view View(Span span) const { return {text_.data() + span.offset, span.size}; }
    Span Append(std::string_view text);
    int SectionIndexOf(std::string_view name) const;
    // Index in entries_ of `name` in section `section`, or -1.
    int EntryIndexOf(std::uint32_t section, std::string_view name) const;
    void IndexSection(std::uint32_t index);
    void IndexEntry(std::uint32_t index);

    std::string path_;
    std::string text_;  // every name and value, one after another
    std::vector<Section> sections_;
    std::vector<Entry> entries_;  // in the order they were created
    // Open-addressing hash tables: index + 1 of a section or entry, 0 for free.
    std::vector<std::uint32_t> sectionSlots_;
    std::vector<std::uint32_t> entrySlots_;
    // Set by the lookups too, which change nothing else.
    mutable std::string lastError_;
    std::size_t stoppedAtLine_ = 0;
    // Set when the file on disk holds what was not read: Save refuses with it.
    std::string notWholeRead_;
    std::string loadFailure_;
    std::string saveFailure_;
    bool notWholeReadTold_ = false;
    // The values set since the last Load or Save, in the order first set.
    std::vector<Change> changes_;
};

}  // namespace tavix
