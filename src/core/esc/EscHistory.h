#pragma once
// Every parameter block the program reads from an ESC or writes to it is kept
// as a snapshot in the user's data folder, so settings lost to a write that
// did not take, a file loaded over the wrong ESC or an upgrade that reset
// them can be looked up and put back.
//
// One file per snapshot, named with the local time, then its sequence number
// in this folder ("20261207-143005-s000042-Ostrin-TVKC20140C300312-read.esc.txt").
// The file is a parameter file ("Load from File..." and `tavix-cli esc write
// --from` take it) behind a few comment lines that carry the snapshot's own facts:
//
//   # Tavix ESC snapshot
//   # Time: 2026-12-07 14:30:05
//   # Sequence: 42
//   # Reason: before-write
//   # Block: ff0101...   (16 lines of 32 bytes: the whole block, kept bytes too)
//   Tavix ESC parameters
//   Series: Ostrin
//   ...
//
// Snapshots are ordered by the sequence, not by the time: a clock set back (a
// machine without a real-time clock, another time zone) must not make a new
// snapshot look old. The time is only shown. Each new snapshot takes the
// number after the highest in the folder. Snapshots of older builds carry no
// sequence ("20261207-143005-01-..."): they come before every numbered one,
// in the order of their names.
//
// A block equal to the newest snapshot of the same series and version is not
// stored again. The folder keeps the kHistoryKeep newest snapshots of each
// series and version and removes older ones, never the one just written.
// Numbering, the newest of an ESC and pruning go by the file names alone; a
// file is read only to be listed or compared.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Bytes.h"
#include "base/Translate.h"
#include "base/UserFolders.h"

namespace tavix {

class Clock;

enum class SnapshotReason { Read, BeforeWrite, AfterWrite, BeforeUpgrade, Restore };

inline constexpr std::size_t kHistoryKeep = 50;
inline constexpr const char* kSnapshotHeading = "# Tavix ESC snapshot";
inline constexpr const char* kMsgCantKeepSnapshot =
    TAVIX_TR("Can't keep a snapshot of the ESC settings in %s (%s)!");

// "read", "before-write", "after-write", "before-upgrade", "restore".
const char* ReasonName(SnapshotReason reason);

struct EscSnapshot {
    std::string path;        // the snapshot file
    std::string time;        // local time, "2026-12-07 14:30:05": only shown
    long long sequence = 0;  // order taken in this folder; 0 for a snapshot without one
    std::string reason;      // as ReasonName writes it
    std::string series;      // "Ostrin"
    std::string version;     // the 16 version bytes of the block, up to a zero byte
    Bytes block;             // kParamBlockSize bytes
};

// `name` in the user's data folder ($XDG_DATA_HOME/Tavix, %LOCALAPPDATA%\Tavix),
// where the user's own ESC data (history, presets) lives; empty when the
// system names no data folder.
std::string DataFolderIn(const UserFolders& folders, const std::string& name);
// The history's folder: esc-history in the data folder.
std::string HistoryFolderIn(const UserFolders& folders);

// Reads a snapshot file (a regular file of a few kilobytes only: it is opened
// without waiting, so a FIFO put in its place is refused at once); nullopt
// and `error` when it is none.
std::optional<EscSnapshot> ReadSnapshot(const std::string& path, std::string& error);
// The same from the file's text.
std::optional<EscSnapshot> ParseSnapshot(const std::string& text);

class EscHistory {
public:
    // `toFileText` turns the program's GBK text into the file's UTF-8 (the
    // edges pass their converter; without one the bytes are written as they are).
    EscHistory(std::string folder, const Clock& clock,
               std::function<std::string(const std::string&)> toFileText = {});

    const std::string& Folder() const { return folder_; }

    // Keeps `block` (a parameter block read from or written to an ESC). Blocks
    // of no known series are not kept. Returns an empty text, or the message
    // saying why the snapshot could not be written.
    [[nodiscard]] std::string Keep(SnapshotReason reason, const Bytes& block);
    // The path of the last snapshot Keep wrote (empty before one).
    const std::string& LastKept() const { return lastKept_; }

    // Every snapshot in the folder, newest (highest sequence) first; files
    // that are no snapshot are left out.
    std::vector<EscSnapshot> List() const;

private:
    struct Name;
    std::vector<Name> Names() const;
    void Prune(std::vector<Name> names) const;

    std::string folder_;
    const Clock& clock_;
    std::function<std::string(const std::string&)> toFileText_;
    std::string lastKept_;
};

}  // namespace tavix
