#pragma once
// The words of the ESC parameter pages, kept in one place so the pages, the
// command-line tool and the tests use the same texts.

#include "link/LinkMessages.h"

namespace tavix {

inline constexpr const char* kMsgEscConfirmUpdate = "Are you sure you want to update?";
inline constexpr const char* kMsgEscInvalidVersion =
    "Invalid version number, please re-power on and try it again!";
inline constexpr const char* kMsgEscUpdateComplete = "Parameters updating complete!";
inline constexpr const char* kMsgEscUpdateTimeout = "Time out, parameters updating failure!";
inline constexpr const char* kMsgEscCalibrationOutOfOrder =
    "Throttle calibration parameters have been revised to the wrong value; Please re-read "
    "settings data transfer electricity!";

// Captions of the page.
inline constexpr const char* kLabelEscFirmwareVersion = "Firmware Version:";
inline constexpr const char* kLabelEscStatus = "Status:";
inline constexpr const char* kBtnEscDefaultValue = "Default Value";
inline constexpr const char* kBtnEscUpdate = "Update";

}  // namespace tavix
