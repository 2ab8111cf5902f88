#pragma once
// Settings, parameter files and snapshots put onto a live ESC parameter page,
// as the user would pick them: the command-line tool's settings and "Load
// from File..." both go through the session's own selection handlers, and a
// restore through its write.

#include <string>
#include <vector>

#include "esc/EscParamText.h"

namespace tavix {

class EscParamSession;

void ApplySetting(EscParamSession& session, const EscSetting& setting);

// "Load from File...": every line of the file checked, then the lists and the
// temperature offset set; the kept bytes, the version and the ESC's own
// values stay as read. Returns why the file was refused (the page then
// stays as it was), or an empty text.
[[nodiscard]] std::string LoadParamFile(EscParamSession& session, const std::string& text,
                                        const std::string& fileName);

// What restoring `snapshot` changes in the page's ESC as last read
// (RestoreChanges); `refusal` set instead, and no lines, when the snapshot
// can't be restored there.
std::vector<MessageParts> RestoreChanges(const EscParamSession& session, const Bytes& snapshot,
                                         std::string& refusal);
// History's "Restore" on the page: asks with what it changes, then writes
// the snapshot back exactly (EscParamSession::OnRestore).
void RestoreSnapshot(EscParamSession& session, const Bytes& snapshot);

}  // namespace tavix
