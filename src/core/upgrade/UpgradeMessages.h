#pragma once
// The upgrade page's own words: messages, the question and the captions, kept
// in one place so the page, the command line and the tests use the same text.

#include "link/LinkMessages.h"

namespace tavix {

inline constexpr const char* kMsgInvalidDownloadFile =
    "Invalid download file.\r\nPlease select the correct file and try again!";
inline constexpr const char* kMsgInvalidFirmwareFile = "The file you selected is invalid!";
inline constexpr const char* kMsgConfirmUpgrade = "Are you sure you want to upgrade?";
inline constexpr const char* kMsgDownloadTimeout = "Time out, download failure!";
inline constexpr const char* kMsgInvalidVersion =
    "Invalid version number, please re-power on and try again!";
inline constexpr const char* kMsgDownloadSuccessful = "Download successful!";
// Asked before the main window closes while a download runs.
inline constexpr const char* kMsgExitDuringDownload =
    "A firmware download is running. Stopping it now can leave the ESC without working "
    "firmware.\r\nDo you really want to exit?";

// Captions of the page.
inline constexpr const char* kLabelCurrentVersion = "Current Version:";
inline constexpr const char* kLabelUpgradeFile = "Upgrade File:";
inline constexpr const char* kLabelFirmwareVersion = "Version of the Firmware:";
inline constexpr const char* kLabelUpgradeStatus = "Upgrade Status:";
inline constexpr const char* kGroupUpgradeFile = "Specify the Upgrade File";
inline constexpr const char* kBtnBrowse = "Browse ...";
inline constexpr const char* kBtnStart = "Start";
inline constexpr const char* kBtnStop = "Stop";
// The open-file dialog's filter: "Dlc" and the word for file (GBK CE C4 BC FE).
inline constexpr const char* kFirmwareFilterLabel = "Dlc\xCE\xC4\xBC\xFE";
inline constexpr const char* kFirmwarePattern = "*.Dlc";
// Beside the activity bar while a download runs: "block 3 of 9, 28%".
inline constexpr const char* kFmtBlockProgress = "block %d of %d, %d%%";

}  // namespace tavix
