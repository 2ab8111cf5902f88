#pragma once
// What "Open Device" says.

#include "base/FormatText.h"
#include "base/Translate.h"

namespace tavix {

inline constexpr const char* kMsgOpenTimeout = TAVIX_TR("Time out, device open failure!");
inline constexpr const char* kMsgNoHardwareProfile =
    TAVIX_TR("Can't find hardware %s's parameter setting!");
inline constexpr const char* kMsgUnrecognizedFirmware =
    TAVIX_TR("Unrecognized firmware version : %s");

// Every write reads the ESC again first; another ESC than the page showed
// stops it before anything is sent.
inline constexpr const char* kFmtOtherEscOnPort = TAVIX_TR(
    "The ESC on the port is now %s, not the %s this page showed.\nNothing was sent. The page "
    "now shows the ESC found; check it and try again.");

}  // namespace tavix
