#include "esc/EscHistory.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string_view>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "base/Paths.h"
#include "base/PlainText.h"
#include "base/RegularFile.h"
#include "base/Translate.h"
#include "device/DeviceVersion.h"
#include "esc/EscParamBlock.h"
#include "esc/EscParamText.h"
#include "shell/Clock.h"

namespace tavix {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTimeLine = "# Time: ";
constexpr const char* kSequenceLine = "# Sequence: ";
constexpr const char* kReasonLine = "# Reason: ";
constexpr const char* kBlockLine = "# Block: ";
constexpr std::size_t kBytesPerLine = 32;
// A snapshot file is a few kilobytes; anything much bigger is none.
constexpr std::uintmax_t kMaxSnapshotSize = 64 * 1024;

std::string VersionOf(const Bytes& block) {
    std::string version;
    for (std::size_t i = 0; i < kBlockVersionSize && kBlockVersionOffset + i < block.size(); ++i) {
        version.push_back(static_cast<char>(block[kBlockVersionOffset + i]));
    }
    return version;
}

// Letters and digits of the version for the file name; anything else is '_'.
std::string NamePart(const std::string& text) {
    std::string part;
    for (char c : UpToZero(text)) {
        const bool plain =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        part.push_back(plain ? c : '_');
    }
    return part;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool Digits(std::string_view text, std::size_t count) {
    return text.size() == count &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A sequence number as written ("42"); 0 for anything else.
long long SequenceNumber(std::string_view text) {
    if (text.empty() || text.size() > 15 || !Digits(text, text.size())) {
        return 0;
    }
    return std::stoll(std::string(text));
}

}  // namespace

const char* ReasonName(SnapshotReason reason) {
    switch (reason) {
        case SnapshotReason::Read:
            return TAVIX_TR("read");
        case SnapshotReason::BeforeWrite:
            return TAVIX_TR("before-write");
        case SnapshotReason::AfterWrite:
            return TAVIX_TR("after-write");
        case SnapshotReason::BeforeUpgrade:
            return TAVIX_TR("before-upgrade");
        case SnapshotReason::Restore:
            return TAVIX_TR("restore");
    }
    return TAVIX_TR("read");
}

std::string DataFolderIn(const UserFolders& folders, const std::string& name) {
    return folders.data.empty() ? std::string() : JoinPath(folders.data, name);
}

std::string HistoryFolderIn(const UserFolders& folders) {
    return DataFolderIn(folders, "esc-history");
}

std::optional<EscSnapshot> ParseSnapshot(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kSnapshotHeading) {
        return std::nullopt;
    }
    EscSnapshot snapshot;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (StartsWith(line, kTimeLine)) {
            snapshot.time = line.substr(std::string(kTimeLine).size());
        } else if (StartsWith(line, kSequenceLine)) {
            snapshot.sequence = SequenceNumber(line.substr(std::string(kSequenceLine).size()));
        } else if (StartsWith(line, kReasonLine)) {
            snapshot.reason = line.substr(std::string(kReasonLine).size());
        } else if (StartsWith(line, kBlockLine)) {
            const std::string hex = line.substr(std::string(kBlockLine).size());
            if (hex.size() % 2 != 0) {
                return std::nullopt;
            }
            for (std::size_t i = 0; i < hex.size(); i += 2) {
                const int high = HexDigit(hex[i]);
                const int low = HexDigit(hex[i + 1]);
                if (high < 0 || low < 0) {
                    return std::nullopt;
                }
                snapshot.block.push_back(static_cast<std::uint8_t>(high * 16 + low));
            }
        } else if (line.empty() || line[0] != '#') {
            break;  // the parameter file begins
        }
    }
    if (snapshot.block.size() != kParamBlockSize || snapshot.time.empty()) {
        return std::nullopt;
    }
    snapshot.version = UpToZero(VersionOf(snapshot.block));
    snapshot.series = SeriesName(SeriesOf(VersionOf(snapshot.block)));
    return snapshot;
}

std::optional<EscSnapshot> ReadSnapshot(const std::string& path, std::string& error) {
    std::string text;
    std::string reason;
    if (!ReadRegularFile(path, kMaxSnapshotSize, text, &reason)) {
        error = reason == kNotRegularFile || reason == kFileTooLarge
                    ? "not a snapshot file"
                    : "can't read it (" + reason + ")";
        return std::nullopt;
    }
    auto snapshot = ParseSnapshot(text);
    if (!snapshot) {
        error = "not a snapshot file";
        return std::nullopt;
    }
    snapshot->path = path;
    return snapshot;
}

// What a snapshot's file name says: "20261207-143005-s000042-Ostrin-VERSION-reason"
// (or, from older builds, "20261207-143005-01-..." with no sequence).
struct EscHistory::Name {
    std::string file;
    long long sequence = 0;
    std::string esc;  // series and version, as the name carries them

    // Newer: the higher sequence; among equal ones (old names) the later name.
    bool NewerThan(const Name& other) const {
        return sequence != other.sequence ? sequence > other.sequence : file > other.file;
    }
    static std::optional<Name> Of(const std::string& file) {
        const std::string_view ext = kParamFileExtension;
        if (file.empty() || file[0] == '.' || !file.ends_with(ext)) {
            return std::nullopt;
        }
        std::vector<std::string_view> parts;
        std::string_view rest(file);
        rest.remove_suffix(ext.size());
        for (int i = 0; i < 5; ++i) {
            const std::size_t dash = rest.find('-');
            if (dash == std::string_view::npos) {
                return std::nullopt;
            }
            parts.push_back(rest.substr(0, dash));
            rest.remove_prefix(dash + 1);
        }
        Name name{file, 0, std::string(parts[3]) + "-" + std::string(parts[4])};
        if (!Digits(parts[0], 8) || !Digits(parts[1], 6) || rest.empty()) {
            return std::nullopt;
        }
        if (parts[2].starts_with('s') && (name.sequence = SequenceNumber(parts[2].substr(1))) > 0) {
            return name;
        }
        return Digits(parts[2], 2) ? std::optional<Name>(name) : std::nullopt;
    }
};

EscHistory::EscHistory(std::string folder, const Clock& clock,
                       std::function<std::string(const std::string&)> toFileText)
    : folder_(std::move(folder)), clock_(clock), toFileText_(std::move(toFileText)) {}

std::string EscHistory::Keep(SnapshotReason reason, const Bytes& block) {
    const std::string version = VersionOf(block);
    const EscSeriesTable* table = SeriesTable(SeriesOf(version));
    if (table == nullptr || block.size() != kParamBlockSize) {
        return {};
    }
    if (folder_.empty()) {
        return FormatShown(kMsgCantKeepSnapshot, "the user's data folder",
                           "the system names no data folder for this user");
    }
    std::vector<Name> names = Names();
    const std::string esc = table->name + "-" + NamePart(version);
    const Name* newest = nullptr;
    long long sequence = 0;
    for (const Name& name : names) {
        sequence = std::max(sequence, name.sequence);
        if (name.esc == esc && (newest == nullptr || name.NewerThan(*newest))) {
            newest = &name;
        }
    }
    if (newest != nullptr) {
        std::string error;
        const auto older = ReadSnapshot(JoinPath(folder_, newest->file), error);
        if (older && older->version == UpToZero(version) && older->block == block) {
            return {};  // unchanged since the newest snapshot of this ESC
        }
    }

    const LocalTime now = clock_.LocalNow();
    const std::string time = FormatText("%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month,
                                        now.day, now.hour, now.minute, now.second);
    std::string facts;
    for (std::size_t at = 0; at < block.size(); at += kBytesPerLine) {
        facts += kBlockLine;
        for (std::size_t i = at; i < at + kBytesPerLine; ++i) {
            facts += FormatText("%02x", block[i]);
        }
        facts += "\n";
    }
    const std::string params = ParamFileText(*table, DecodeParamBlock(*table, block));
    facts += toFileText_ ? toFileText_(params) : params;

    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) {
        return FormatShown(kMsgCantKeepSnapshot, folder_.c_str(), ec.message().c_str());
    }
    const std::string stamp = FormatText("%04d%02d%02d-%02d%02d%02d", now.year, now.month, now.day,
                                         now.hour, now.minute, now.second);
    // A name taken meanwhile (another instance keeping one) moves on to the next number.
    for (int attempt = 0; attempt < 100; ++attempt) {
        ++sequence;
        const std::string file = FormatText("%s-s%06lld-%s-%s%s", stamp.c_str(), sequence,
                                            esc.c_str(), ReasonName(reason), kParamFileExtension);
        const std::string text = std::string(kSnapshotHeading) + "\n" + kTimeLine + time + "\n" +
                                 kSequenceLine + std::to_string(sequence) + "\n" + kReasonLine +
                                 ReasonName(reason) + "\n" + facts;
        std::string error;
        switch (CreateFileAtomically(JoinPath(folder_, file), text, &error)) {
            case CreateResult::Created:
                lastKept_ = JoinPath(folder_, file);
                names.push_back(Name{file, sequence, esc});
                Prune(std::move(names));
                return {};
            case CreateResult::NameTaken:
                continue;
            case CreateResult::Failed:
                return FormatShown(kMsgCantKeepSnapshot, folder_.c_str(), error.c_str());
        }
    }
    return FormatShown(kMsgCantKeepSnapshot, folder_.c_str(), "every name is taken");
}

std::vector<EscHistory::Name> EscHistory::Names() const {
    std::vector<Name> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        if (auto name = Name::Of(it->path().filename().string())) {
            names.push_back(std::move(*name));
        }
    }
    return names;
}

std::vector<EscSnapshot> EscHistory::List() const {
    std::vector<std::pair<EscSnapshot, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (file.empty() || file[0] == '.' || !file.ends_with(kParamFileExtension)) {
            continue;
        }
        std::string error;
        if (auto snapshot = ReadSnapshot(fs::absolute(it->path()).string(), error)) {
            // The name's number orders the snapshot; a renamed file keeps the one it holds.
            if (const auto name = Name::Of(file); name && name->sequence > 0) {
                snapshot->sequence = name->sequence;
            }
            found.emplace_back(std::move(*snapshot), file);
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return Name{a.second, a.first.sequence, {}}.NewerThan(Name{b.second, b.first.sequence, {}});
    });
    std::vector<EscSnapshot> snapshots;
    for (auto& [snapshot, file] : found) {
        snapshots.push_back(std::move(snapshot));
    }
    return snapshots;
}

void EscHistory::Prune(std::vector<Name> names) const {
    std::sort(names.begin(), names.end(),
              [](const Name& a, const Name& b) { return a.NewerThan(b); });
    const std::string justKept = fs::path(lastKept_).filename().string();
    std::vector<std::pair<std::string, std::size_t>> counts;
    for (const Name& name : names) {
        auto it = std::find_if(counts.begin(), counts.end(),
                               [&name](const auto& c) { return c.first == name.esc; });
        if (it == counts.end()) {
            counts.emplace_back(name.esc, 1);
        } else if (++it->second > kHistoryKeep && name.file != justKept) {
            std::error_code ec;
            fs::remove(JoinPath(folder_, name.file), ec);  // an old one left behind does no harm
        }
    }
}

}  // namespace tavix
