#pragma once
// The words of the ESC parameter pages, kept in one place so the pages, the
// command-line tool and the tests use the same texts.

namespace tavix {

inline constexpr const char* kMsgConfirmUpdate = "Are you sure you want to update?";
inline constexpr const char* kMsgInvalidVersion =
    "Invalid version number, please re-power on and try it again!";
inline constexpr const char* kMsgUpdateComplete = "Parameters updating complete!";
inline constexpr const char* kMsgConnectTimeout = "Time out, connect failure!";
inline constexpr const char* kMsgUpdateTimeout = "Time out, parameters updating failure!";
inline constexpr const char* kMsgCalibrationOutOfOrder =
    "Throttle calibration parameters have been revised to the wrong value; Please re-read "
    "settings data transfer electricity!";

// Captions of the page.
inline constexpr const char* kLabelFirmwareVersion = "Firmware Version:";
inline constexpr const char* kLabelStatus = "Status:";
inline constexpr const char* kBtnDefaultValue = "Default Value";
inline constexpr const char* kBtnUpdate = "Update";
inline constexpr const char* kBtnConnect = "Connect";

}  // namespace tavix
