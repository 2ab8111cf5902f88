#include "esc/EscHistory.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "device/DeviceVersion.h"
#include "esc/EscParamBlock.h"
#include "esc/EscParamText.h"
#include "shell/Clock.h"

namespace tavix {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTimeLine = "# Time: ";
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

std::string UpToZero(const std::string& text) {
    return text.substr(0, text.find('\0'));
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

}  // namespace

const char* ReasonName(SnapshotReason reason) {
    switch (reason) {
        case SnapshotReason::Read:
            return "read";
        case SnapshotReason::BeforeWrite:
            return "before-write";
        case SnapshotReason::AfterWrite:
            return "after-write";
        case SnapshotReason::BeforeUpgrade:
            return "before-upgrade";
        case SnapshotReason::Restore:
            return "restore";
    }
    return "read";
}

std::string DefaultHistoryFolder(const char* xdgDataHome, const char* home) {
    std::string base;
    if (xdgDataHome != nullptr && *xdgDataHome != '\0') {
        base = xdgDataHome;
    } else if (home != nullptr && *home != '\0') {
        base = std::string(home) + "/.local/share";
    } else {
        return {};
    }
    return base + "/Tavix/esc-history";
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
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > kMaxSnapshotSize) {
        error = "not a snapshot file";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        error = "can't read it";
        return std::nullopt;
    }
    auto snapshot = ParseSnapshot(text.str());
    if (!snapshot) {
        error = "not a snapshot file";
        return std::nullopt;
    }
    snapshot->path = path;
    return snapshot;
}

EscHistory::EscHistory(std::string folder, const Clock& clock,
                       std::function<std::string(const std::string&)> toFileText)
    : folder_(std::move(folder)), clock_(clock), toFileText_(std::move(toFileText)) {}

std::string EscHistory::Keep(SnapshotReason reason, const Bytes& block) {
    const std::string version = VersionOf(block);
    const EscSeriesTable* table = SeriesTable(SeriesOf(version));
    if (table == nullptr || block.size() != kParamBlockSize) {
        return {};
    }
    const std::vector<EscSnapshot> all = List();
    for (const EscSnapshot& older : all) {
        if (older.series == table->name && older.version == UpToZero(version)) {
            if (older.block == block) {
                return {};  // unchanged since the newest snapshot of this ESC
            }
            break;
        }
    }

    const LocalTime now = clock_.LocalNow();
    std::string text = std::string(kSnapshotHeading) + "\n";
    text += kTimeLine +
            FormatText("%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day, now.hour,
                       now.minute, now.second) +
            "\n";
    text += std::string(kReasonLine) + ReasonName(reason) + "\n";
    for (std::size_t at = 0; at < block.size(); at += kBytesPerLine) {
        text += kBlockLine;
        for (std::size_t i = at; i < at + kBytesPerLine; ++i) {
            text += FormatText("%02x", block[i]);
        }
        text += "\n";
    }
    const std::string params = ParamFileText(*table, DecodeParamBlock(*table, block));
    text += toFileText_ ? toFileText_(params) : params;

    if (folder_.empty()) {
        return FormatText(kMsgCantKeepSnapshot, "the user's data folder",
                          "neither XDG_DATA_HOME nor HOME is set");
    }
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) {
        return FormatText(kMsgCantKeepSnapshot, folder_.c_str(), ec.message().c_str());
    }
    const std::string stamp = FormatText("%04d%02d%02d-%02d%02d%02d", now.year, now.month, now.day,
                                         now.hour, now.minute, now.second);
    // Snapshots of one second are numbered in the order they came.
    int number = 1;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() > stamp.size() + 3 && name.starts_with(stamp + "-")) {
            number = std::max(number, std::atoi(name.c_str() + stamp.size() + 1) + 1);
        }
    }
    for (; number < 100; ++number) {
        const std::string path =
            folder_ + "/" +
            FormatText("%s-%02d-%s-%s-%s%s", stamp.c_str(), number, table->name.c_str(),
                       NamePart(version).c_str(), ReasonName(reason), kParamFileExtension);
        std::string error;
        switch (CreateFileAtomically(path, text, &error)) {
            case CreateResult::Created:
                lastKept_ = path;
                Prune(List());
                return {};
            case CreateResult::NameTaken:
                continue;
            case CreateResult::Failed:
                return FormatText(kMsgCantKeepSnapshot, folder_.c_str(), error.c_str());
        }
    }
    return FormatText(kMsgCantKeepSnapshot, folder_.c_str(), "too many in one second");
}

std::vector<EscSnapshot> EscHistory::List() const {
    std::vector<EscSnapshot> snapshots;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.' || !name.ends_with(kParamFileExtension)) {
            continue;
        }
        std::string error;
        if (auto snapshot = ReadSnapshot(fs::absolute(it->path()).string(), error)) {
            snapshots.push_back(std::move(*snapshot));
        }
    }
    // The names begin with the time and the number within its second.
    std::sort(snapshots.begin(), snapshots.end(), [](const EscSnapshot& a, const EscSnapshot& b) {
        return fs::path(a.path).filename() > fs::path(b.path).filename();
    });
    return snapshots;
}

void EscHistory::Prune(const std::vector<EscSnapshot>& all) const {
    std::vector<std::pair<std::string, std::size_t>> counts;
    for (const EscSnapshot& snapshot : all) {
        const std::string key = snapshot.series + '\n' + snapshot.version;
        auto it = std::find_if(counts.begin(), counts.end(),
                               [&key](const auto& c) { return c.first == key; });
        if (it == counts.end()) {
            counts.emplace_back(key, 1);
            continue;
        }
        if (++it->second > kHistoryKeep) {
            std::error_code ec;
            fs::remove(snapshot.path, ec);  // an old one left behind does no harm
        }
    }
}

}  // namespace tavix
