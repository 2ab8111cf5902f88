#include "analysis/NoteLines.h"

#include "base/PlainText.h"

#include <vector>

namespace tavix {

namespace {

constexpr const char* kNamePrefixes[] = {kPackPrefix, kModelPrefix};

// The blanks around a note line's text.
constexpr std::string_view kBlanks = " \t";

bool StartsWith(const std::string& text, std::size_t at, const std::string& prefix) {
    return text.compare(at, prefix.size(), prefix) == 0;
}

// A leading name line: where it starts, where its text ends (before the line
// break) and which prefix it carries.
struct NameLine {
    std::size_t begin = 0;
    std::size_t end = 0;
    const char* prefix = nullptr;
};

std::vector<NameLine> NameLines(const std::string& note) {
    std::vector<NameLine> lines;
    std::size_t at = 0;
    while (at < note.size()) {
        const char* found = nullptr;
        for (const char* prefix : kNamePrefixes) {
            if (StartsWith(note, at, prefix)) {
                found = prefix;
            }
        }
        if (!found) {
            break;
        }
        std::size_t end = note.find_first_of("\r\n", at);
        if (end == std::string::npos) {
            end = note.size();
        }
        lines.push_back({at, end, found});
        // The line break: CR LF, LF or a lone CR.
        at = end;
        if (at < note.size() && note[at] == '\r') {
            ++at;
        }
        if (at < note.size() && note[at] == '\n') {
            ++at;
        }
    }
    return lines;
}

}  // namespace

std::string NoteLineValue(const std::string& note, const char* prefix) {
    for (const NameLine& line : NameLines(note)) {
        if (std::string(line.prefix) == prefix) {
            const std::size_t from = line.begin + std::string(prefix).size();
            return Trimmed(note.substr(from, line.end - from), kBlanks);
        }
    }
    return std::string();
}

std::string WithNoteLine(const std::string& note, const char* prefix, const std::string& name) {
    const std::string value = Trimmed(name.substr(0, name.find_first_of("\r\n")), kBlanks);
    if (value.empty()) {
        return note;
    }
    const std::string line = std::string(prefix) + " " + value;
    const std::vector<NameLine> lines = NameLines(note);
    for (const NameLine& existing : lines) {
        if (std::string(existing.prefix) == prefix) {
            return note.substr(0, existing.begin) + line + note.substr(existing.end);
        }
    }
    if (lines.empty()) {
        return note.empty() ? line : line + "\n" + note;
    }
    // After the last name line, keeping that line's own break.
    const std::size_t after = lines.back().end;
    return note.substr(0, after) + "\n" + line + note.substr(after);
}

}  // namespace tavix
