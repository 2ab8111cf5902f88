#pragma once
// The user's ESC snapshot history: one for the whole program, in
// $XDG_DATA_HOME/Tavix/esc-history (~/.local/share/Tavix/esc-history when
// unset; %LOCALAPPDATA%\Tavix\esc-history on Windows), on the system clock, its parameter text
// written as UTF-8. The window and tavix-cli keep their snapshots in the same folder.

#include <string>

#include "base/Bytes.h"
#include "esc/EscHistory.h"

namespace tavix {

EscHistory& UserEscHistory();

// Keeps `block` in the user's history; returns the message of a failed write
// (empty when kept or unchanged).
std::string KeepEscSnapshot(SnapshotReason reason, const Bytes& block);

}  // namespace tavix
