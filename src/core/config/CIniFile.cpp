#include "config/CIniFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "config/IniNumbers.h"

namespace tavix {

namespace {

constexpr const char* kLineEnd = "\r\n";

// Reads the file's lines (line ends removed) up to the end or up to the first
// line that is too long; `stoppedAt` is then its number (from 1), else 0.
// False when reading fails.
bool ReadLines(std::FILE* file, std::vector<std::string>& lines, std::size_t& stoppedAt) {
    std::string line;
    bool tooLong = false;
    char buffer[16384];
    std::size_t got = 0;
    while (!tooLong && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        for (std::size_t i = 0; i < got; ++i) {
            const char c = buffer[i];
            if (c != '\n') {
                line.push_back(c);
                // Even with a CR before its LF, this line cannot fit any more.
                if (line.size() > CIniFile::kMaxLineLength + 1) {
                    tooLong = true;
                    break;
                }
                continue;
            }
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (line.size() > CIniFile::kMaxLineLength) {
                tooLong = true;
                break;
            }
            lines.push_back(std::move(line));
            line.clear();
        }
    }
    if (std::ferror(file) != 0) {
        return false;
    }
    // The last line may end without a line end (a CR alone is no line end).
    if (!tooLong && line.size() > CIniFile::kMaxLineLength) {
        tooLong = true;
    }
    if (!tooLong && !line.empty()) {
        lines.push_back(std::move(line));
    }
    stoppedAt = tooLong ? lines.size() + 1 : 0;
    return true;
}

// The name in a header line: every leading '[' and every trailing ']' removed.
std::string SectionNameOf(const std::string& header) {
    const std::size_t first = header.find_first_not_of('[');
    const std::size_t last = header.find_last_not_of(']');
    if (first == std::string::npos || last == std::string::npos || last < first) {
        return std::string();
    }
    return header.substr(first, last - first + 1);
}

}  // namespace

void CIniFile::SetFilePath(const std::string& path) {
    path_ = path;
}

bool CIniFile::Load() {
    std::error_code ec;
    if (path_.empty() || !std::filesystem::exists(path_, ec)) {
        return false;
    }
    std::FILE* file = std::fopen(path_.c_str(), "rb");
    if (file == nullptr) {
        lastError_ = kIniErrOpen;
        return false;
    }
    std::vector<std::string> lines;
    std::size_t stoppedAt = 0;
    const bool read = ReadLines(file, lines, stoppedAt);
    std::fclose(file);
    if (!read) {
        // A directory, or a device error half-way: take nothing from it.
        lastError_ = kIniErrOpen;
        return false;
    }
    if (stoppedAt != 0) {
        stoppedAtLine_ = stoppedAt;
    }

    std::string section;
    for (const std::string& line : lines) {
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            // Nothing is created yet: a header without entries leaves no trace.
            section = SectionNameOf(line);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            // No '=': an entry with the empty name, valued by the rest of the line.
            PutText(section, std::string(), line.substr(1), true);
        } else {
            PutText(section, line.substr(0, equals), line.substr(equals + 1), true);
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
    if (stoppedAtLine_ != 0) {
        saveFailure_ =
            FormatText(kIniStoppedEarlyDetail, path_.c_str(), static_cast<int>(stoppedAtLine_));
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
    if (stoppedAtLine_ == 0) {
        return true;
    }
    const bool tell = !stoppedEarlyTold_;
    stoppedEarlyTold_ = true;
    return tell;
}

int CIniFile::FindSection(const std::string& section) const {
    for (std::size_t i = 0; i < sectionNames_.size(); ++i) {
        if (sectionNames_[i] == section) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CIniFile::FindEntry(int sectionIndex, const std::string& entry) const {
    if (sectionIndex < 0 || static_cast<std::size_t>(sectionIndex) >= sections_.size()) {
        return -1;
    }
    const std::vector<std::string>& names = sections_[sectionIndex].names;
    for (std::size_t j = 0; j < names.size(); ++j) {
        if (names[j] == entry) {
            return static_cast<int>(j);
        }
    }
    return -1;
}

int CIniFile::EntryCount(const std::string& section) const {
    const int i = FindSection(section);
    return i < 0 ? -1 : static_cast<int>(sections_[i].names.size());
}

std::string CIniFile::GetText(const std::string& section, const std::string& entry) {
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

int CIniFile::GetInt(const std::string& section, const std::string& entry) {
    return IniToInt(GetText(section, entry));
}

double CIniFile::GetReal(const std::string& section, const std::string& entry) {
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
    }
    target.values[j] = value;
    return true;
}

bool CIniFile::PutInt(const std::string& section, const std::string& entry, int value,
                      bool create) {
    return PutText(section, entry, std::to_string(value), create);
}

}  // namespace tavix
