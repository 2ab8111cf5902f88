#pragma once
// What "Open Device" says.

#include "base/FormatText.h"

namespace tavix {

inline constexpr const char* kMsgOpenTimeout = "Time out, device open failure!";
inline constexpr const char* kMsgNoHardwareProfile = "Can't find hardware %s's parameter setting!";
inline constexpr const char* kMsgUnrecognizedFirmware = "Unrecognized firmware version : %s";

}  // namespace tavix
