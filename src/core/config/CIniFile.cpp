#include "config/CIniFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "base/RegularFile.h"
#include "base/Translate.h"
#include "config/IniNumbers.h"

namespace tavix {

namespace {

constexpr const char* kLineEnd = "\r\n";

// Reads the whole file (at most CIniFile::kMaxFileSize bytes). False when
// reading fails.
bool ReadAll(std::FILE* file, std::string& content) {
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content.append(buffer, got);
        if (content.size() > CIniFile::kMaxFileSize) {
            break;  // grew while being read: what fits is read, the rest refused below
        }
    }
    return std::ferror(file) == 0;
}

// FNV-1a: a hash of a name for the tables below.
std::uint64_t HashOf(std::string_view text, std::uint64_t seed = 14695981039346656037ull) {
    std::uint64_t hash = seed;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::uint64_t EntryHash(std::uint32_t section, std::string_view name) {
    return HashOf(name, 14695981039346656037ull ^ (section * 0x9E3779B97F4A7C15ull));
}

// A table of 2^n slots, at most half of them used.
std::size_t SlotsFor(std::size_t count) {
    std::size_t slots = 16;
    while (slots < 2 * count + 2) {
        slots *= 2;
    }
    return slots;
}

// The name in a header line: every leading '[' and every trailing ']' removed.
std::string SectionNameOf(std::string_view header) {
    const std::size_t first = header.find_first_not_of('[');
    const std::size_t last = header.find_last_not_of(']');
    if (first == std::string_view::npos || last == std::string_view::npos || last < first) {
        return std::string();
    }
    return std::string(header.substr(first, last - first + 1));
}

}  // namespace

void CIniFile::SetFilePath(const std::string& path) {
    path_ = path;
}

bool CIniFile::Load() {
    loadFailure_.clear();
    if (path_.empty()) {
        return false;
    }
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path_, ec);
    if (!std::filesystem::exists(status)) {
        // Missing, or no status at all (a symbolic-link loop): the last error stays.
        const std::string reason = ec ? ec.message() : std::string("No such file or directory");
        loadFailure_ = FormatText(kIniLoadFailedDetail, path_.c_str(), reason.c_str());
        return false;
    }
    std::string reason;
    std::FILE* file = OpenRegularFile(path_, &reason);
    if (file == nullptr) {
        lastError_ = kIniErrOpen;
        loadFailure_ = FormatText(kIniLoadFailedDetail, path_.c_str(), reason.c_str());
        return false;
    }
    struct stat info {};
    if (::fstat(::fileno(file), &info) == 0 &&
        static_cast<std::uintmax_t>(info.st_size) > kMaxFileSize) {
        std::fclose(file);
        lastError_ = kIniErrOpen;
        loadFailure_ = FormatShown(kIniTooLargeDetail, path_.c_str(),
                                   static_cast<unsigned long long>(info.st_size));
        notWholeRead_ = loadFailure_;
        return false;
    }
    std::string content;
    const bool read = ReadAll(file, content);
    std::fclose(file);
    if (!read) {
        // A device error half-way: take nothing from it.
        lastError_ = kIniErrOpen;
        loadFailure_ = FormatText(kIniLoadFailedDetail, path_.c_str(), std::strerror(EIO));
        return false;
    }
    // Room for the whole file at once: the entries are at most its lines.
    const std::size_t lineCount =
        static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) + 1;
    entries_.reserve(entries_.size() + lineCount);
    text_.reserve(text_.size() + content.size());
    if (entrySlots_.size() < SlotsFor(entries_.size() + lineCount)) {
        entrySlots_.assign(SlotsFor(entries_.size() + lineCount), 0);
        for (std::uint32_t i = 0; i < entries_.size(); ++i) {
            IndexEntry(i);
        }
    }

    const std::string_view all(content);
    std::string section;
    std::size_t number = 0;
    std::size_t pos = 0;
    while (pos < all.size()) {
        const std::size_t newline = all.find('\n', pos);
        const bool ended = newline != std::string_view::npos;
        std::string_view line = all.substr(pos, (ended ? newline : all.size()) - pos);
        // A CR before the LF belongs to the line end; a CR alone is no line end.
        if (ended && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ++number;
        if (line.size() > kMaxLineLength) {
            stoppedAtLine_ = number;
            notWholeRead_ =
                FormatShown(kIniStoppedEarlyDetail, path_.c_str(), static_cast<int>(number));
            break;
        }
        pos = ended ? newline + 1 : all.size();
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            // Nothing is created yet: a header without entries leaves no trace.
            section = SectionNameOf(line);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            // No '=': an entry with the empty name, valued by the rest of the line.
            Set(section, std::string_view(), line.substr(1), true);
        } else {
            Set(section, line.substr(0, equals), line.substr(equals + 1), true);
        }
    }
    changes_.clear();
    return true;
}

std::string CIniFile::Text() const {
    // The entries of each section in their order: where each section's run
    // begins, then every entry put at its place.
    std::vector<std::uint32_t> begin(sections_.size() + 1, 0);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        begin[i + 1] = begin[i] + sections_[i].entries;
    }
    std::vector<std::uint32_t> order(entries_.size());
    for (std::uint32_t k = 0; k < entries_.size(); ++k) {
        order[begin[entries_[k].section] + entries_[k].place] = k;
    }
    std::string text;
    text.reserve(text_.size() + 4 * entries_.size() + 8 * sections_.size());
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (sections_[i].entries == 0) {
            continue;
        }
        text += '[';
        text += View(sections_[i].name);
        text += ']';
        text += kLineEnd;
        for (std::uint32_t j = begin[i]; j < begin[i + 1]; ++j) {
            const Entry& entry = entries_[order[j]];
            text += View(entry.name);
            text += '=';
            text += View(entry.value);
            text += kLineEnd;
        }
        text += kLineEnd;
    }
    return text;
}

bool CIniFile::Save() {
    if (!notWholeRead_.empty()) {
        saveFailure_ = notWholeRead_;
        lastError_ = std::string(kIniErrSave) + " " + saveFailure_;
        return false;
    }
    std::string reason = "no file path";
    // The file as it is now: another window may have saved its changes since
    // this one read it, and a save must not undo them.
    CIniFile current;
    current.SetFilePath(path_);
    std::error_code ec;
    const bool onDisk = !path_.empty() && std::filesystem::exists(path_, ec);
    if (onDisk) {
        if (!current.Load() || !current.notWholeRead_.empty()) {
            saveFailure_ =
                !current.notWholeRead_.empty() ? current.notWholeRead_ : current.loadFailure_;
            lastError_ = std::string(kIniErrSave) + " " + saveFailure_;
            return false;
        }
        for (const Change& change : changes_) {
            current.Set(change.section, change.entry, change.value, true);
        }
    }
    const CIniFile& written = onDisk ? current : *this;
    if (path_.empty() || !WriteFileAtomically(path_, written.Text(), &reason)) {
        saveFailure_ = FormatText(kIniWriteFailedDetail, path_.c_str(), reason.c_str());
        lastError_ = std::string(kIniErrSave) + " " + reason;
        return false;
    }
    if (onDisk) {
        text_.swap(current.text_);
        sections_.swap(current.sections_);
        entries_.swap(current.entries_);
        sectionSlots_.swap(current.sectionSlots_);
        entrySlots_.swap(current.entrySlots_);
    }
    changes_.clear();
    saveFailure_.clear();
    return true;
}

bool CIniFile::TellSaveFailure() {
    if (saveFailure_.empty()) {
        return false;
    }
    if (notWholeRead_.empty()) {
        return true;
    }
    const bool tell = !notWholeReadTold_;
    notWholeReadTold_ = true;
    return tell;
}

CIniFile::Span CIniFile::Append(std::string_view text) {
    Span span{static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(text.size())};
    text_.append(text);
    return span;
}

int CIniFile::SectionIndexOf(std::string_view name) const {
    if (sectionSlots_.empty()) {
        return -1;
    }
    const std::size_t mask = sectionSlots_.size() - 1;
    for (std::size_t slot = HashOf(name) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = sectionSlots_[slot];
        if (held == 0) {
            return -1;
        }
        if (View(sections_[held - 1].name) == name) {
            return static_cast<int>(held - 1);
        }
    }
}

int CIniFile::EntryIndexOf(std::uint32_t section, std::string_view name) const {
    if (entrySlots_.empty()) {
        return -1;
    }
    const std::size_t mask = entrySlots_.size() - 1;
    for (std::size_t slot = EntryHash(section, name) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = entrySlots_[slot];
        if (held == 0) {
            return -1;
        }
        const Entry& entry = entries_[held - 1];
        if (entry.section == section && View(entry.name) == name) {
            return static_cast<int>(held - 1);
        }
    }
}

void CIniFile::IndexSection(std::uint32_t index) {
    const std::size_t mask = sectionSlots_.size() - 1;
    std::size_t slot = HashOf(View(sections_[index].name)) & mask;
    while (sectionSlots_[slot] != 0) {
        slot = (slot + 1) & mask;
    }
    sectionSlots_[slot] = index + 1;
}

void CIniFile::IndexEntry(std::uint32_t index) {
    const std::size_t mask = entrySlots_.size() - 1;
    const Entry& entry = entries_[index];
    std::size_t slot = EntryHash(entry.section, View(entry.name)) & mask;
    while (entrySlots_[slot] != 0) {
        slot = (slot + 1) & mask;
    }
    entrySlots_[slot] = index + 1;
}

int CIniFile::FindSection(const std::string& section) const {
    return SectionIndexOf(section);
}

int CIniFile::FindEntry(int sectionIndex, const std::string& entry) const {
    if (sectionIndex < 0 || static_cast<std::size_t>(sectionIndex) >= sections_.size()) {
        return -1;
    }
    const int k = EntryIndexOf(static_cast<std::uint32_t>(sectionIndex), entry);
    return k < 0 ? -1 : static_cast<int>(entries_[static_cast<std::size_t>(k)].place);
}

int CIniFile::EntryCount(const std::string& section) const {
    const int i = FindSection(section);
    return i < 0 ? -1 : static_cast<int>(sections_[static_cast<std::size_t>(i)].entries);
}

std::string CIniFile::GetText(const std::string& section, const std::string& entry) const {
    const int i = FindSection(section);
    if (i < 0) {
        lastError_ = kIniErrNoKey;
        return std::string();
    }
    const int k = EntryIndexOf(static_cast<std::uint32_t>(i), entry);
    if (k < 0) {
        lastError_ = kIniErrNoValue;
        return std::string();
    }
    return std::string(View(entries_[static_cast<std::size_t>(k)].value));
}

std::vector<std::string> CIniFile::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& section : sections_) {
        names.emplace_back(View(section.name));
    }
    return names;
}

int CIniFile::GetInt(const std::string& section, const std::string& entry) const {
    return IniToInt(GetText(section, entry));
}

double CIniFile::GetReal(const std::string& section, const std::string& entry) const {
    return IniToReal(GetText(section, entry));
}

bool CIniFile::PutText(const std::string& section, const std::string& entry,
                       const std::string& value, bool create) {
    if (!Set(section, entry, value, create)) {
        return false;
    }
    for (Change& change : changes_) {
        if (change.section == section && change.entry == entry) {
            change.value = value;
            return true;
        }
    }
    changes_.push_back({section, entry, value});
    return true;
}

bool CIniFile::Set(std::string_view section, std::string_view entry, std::string_view value,
                   bool create) {
    int i = SectionIndexOf(section);
    if (i < 0) {
        if (!create) {
            return false;
        }
        sections_.push_back({Append(section), 0});
        i = static_cast<int>(sections_.size()) - 1;
        if (sectionSlots_.size() < SlotsFor(sections_.size())) {
            sectionSlots_.assign(SlotsFor(sections_.size()), 0);
            for (std::uint32_t s = 0; s < sections_.size(); ++s) {
                IndexSection(s);
            }
        } else {
            IndexSection(static_cast<std::uint32_t>(i));
        }
    }
    const auto sectionIndex = static_cast<std::uint32_t>(i);
    const int k = EntryIndexOf(sectionIndex, entry);
    if (k >= 0) {
        Entry& found = entries_[static_cast<std::size_t>(k)];
        if (View(found.value) != value) {
            found.value = Append(value);
        }
        return true;
    }
    if (!create) {
        return false;
    }
    const Span name = Append(entry);
    entries_.push_back({sectionIndex, sections_[sectionIndex].entries++, name, Append(value)});
    if (entrySlots_.size() < SlotsFor(entries_.size())) {
        entrySlots_.assign(SlotsFor(entries_.size()), 0);
        for (std::uint32_t e = 0; e < entries_.size(); ++e) {
            IndexEntry(e);
        }
    } else {
        IndexEntry(static_cast<std::uint32_t>(entries_.size() - 1));
    }
    return true;
}

bool CIniFile::PutInt(const std::string& section, const std::string& entry, int value,
                      bool create) {
    return PutText(section, entry, std::to_string(value), create);
}

}  // namespace tavix
