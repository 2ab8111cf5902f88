#include "config/CIniFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "base/RegularFile.h"
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

// The lines of `content` (line ends removed) up to its end or up to the first
// line that is too long; `stoppedAt` is then its number (from 1), else 0.
std::vector<std::string_view> SplitLines(std::string_view content, std::size_t& stoppedAt) {
    std::vector<std::string_view> lines;
    stoppedAt = 0;
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::size_t newline = content.find('\n', pos);
        const bool ended = newline != std::string_view::npos;
        std::string_view line = content.substr(pos, (ended ? newline : content.size()) - pos);
        // A CR before the LF belongs to the line end; a CR alone is no line end.
        if (ended && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.size() > CIniFile::kMaxLineLength) {
            stoppedAt = lines.size() + 1;
            break;
        }
        lines.push_back(line);
        pos = ended ? newline + 1 : content.size();
    }
    return lines;
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
        loadFailure_ = FormatText(kIniTooLargeDetail, path_.c_str(),
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
    std::size_t stoppedAt = 0;
    const std::vector<std::string_view> lines = SplitLines(content, stoppedAt);
    if (stoppedAt != 0) {
        stoppedAtLine_ = stoppedAt;
        notWholeRead_ =
            FormatText(kIniStoppedEarlyDetail, path_.c_str(), static_cast<int>(stoppedAt));
    }

    std::string section;
    for (const std::string_view line : lines) {
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
            PutText(section, std::string(), std::string(line.substr(1)), true);
        } else {
            PutText(section, std::string(line.substr(0, equals)),
                    std::string(line.substr(equals + 1)), true);
        }
    }
    return true;
}

std::string CIniFile::Text() const {
    std::string text;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const key& section = sections_[i];
        if (section.names.empty()) {
            continue;
        }
        text += '[';
        text += sectionNames_[i];
        text += ']';
        text += kLineEnd;
        for (std::size_t j = 0; j < section.names.size(); ++j) {
            text += section.names[j];
            text += '=';
            text += section.values[j];
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
    if (path_.empty() || !WriteFileAtomically(path_, Text(), &reason)) {
        saveFailure_ = FormatText(kIniWriteFailedDetail, path_.c_str(), reason.c_str());
        lastError_ = std::string(kIniErrSave) + " " + reason;
        return false;
    }
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

int CIniFile::FindSection(const std::string& section) const {
    const auto found = sectionIndex_.find(section);
    return found == sectionIndex_.end() ? -1 : found->second;
}

int CIniFile::FindEntry(int sectionIndex, const std::string& entry) const {
    if (sectionIndex < 0 || static_cast<std::size_t>(sectionIndex) >= sections_.size()) {
        return -1;
    }
    const auto& index = sections_[sectionIndex].index;
    const auto found = index.find(entry);
    return found == index.end() ? -1 : found->second;
}

int CIniFile::EntryCount(const std::string& section) const {
    const int i = FindSection(section);
    return i < 0 ? -1 : static_cast<int>(sections_[i].names.size());
}

std::string CIniFile::GetText(const std::string& section, const std::string& entry) const {
    const int i = FindSection(section);
    if (i < 0) {
        lastError_ = kIniErrNoKey;
        return std::string();
    }
    const int j = FindEntry(i, entry);
    if (j < 0) {
        lastError_ = kIniErrNoValue;
        return std::string();
    }
    return sections_[i].values[j];
}

int CIniFile::GetInt(const std::string& section, const std::string& entry) const {
    return IniToInt(GetText(section, entry));
}

double CIniFile::GetReal(const std::string& section, const std::string& entry) const {
    return IniToReal(GetText(section, entry));
}

bool CIniFile::PutText(const std::string& section, const std::string& entry,
                       const std::string& value, bool create) {
    int i = FindSection(section);
    if (i < 0) {
        if (!create) {
            return false;
        }
        sections_.emplace_back();
        sectionNames_.push_back(section);
        i = static_cast<int>(sections_.size()) - 1;
        sectionIndex_.emplace(section, i);
    }
    key& target = sections_[i];
    int j = FindEntry(i, entry);
    if (j < 0) {
        if (!create) {
            return false;
        }
        target.values.emplace_back();
        target.names.push_back(entry);
        j = static_cast<int>(target.names.size()) - 1;
        target.index.emplace(entry, j);
    }
    target.values[j] = value;
    return true;
}

bool CIniFile::PutInt(const std::string& section, const std::string& entry, int value,
                      bool create) {
    return PutText(section, entry, std::to_string(value), create);
}

}  // namespace tavix
