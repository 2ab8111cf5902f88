#pragma once
// Settings and parameter files put onto a live ESC parameter page, as the
// user would pick them: the command-line tool's settings and "Load from
// File..." both go through the session's own selection handlers.

#include <string>

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

}  // namespace tavix
