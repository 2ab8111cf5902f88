#pragma once
// The upgrade page's own words: messages, the question and the captions, kept
// in one place so the page, the command line and the tests use the same text.

#include "base/Translate.h"
#include "link/LinkMessages.h"

namespace tavix {

inline constexpr const char* kMsgInvalidDownloadFile =
    TAVIX_TR("Invalid download file.\r\nPlease select the correct file and try again!");
inline constexpr const char* kMsgInvalidFirmwareFile =
    TAVIX_TR("The file you selected is invalid!");
inline constexpr const char* kMsgConfirmUpgrade = TAVIX_TR("Are you sure you want to upgrade?");
inline constexpr const char* kMsgDownloadTimeout = TAVIX_TR("Time out, download failure!");
inline constexpr const char* kMsgInvalidVersion =
    TAVIX_TR("Invalid version number, please re-power on and try again!");
inline constexpr const char* kMsgDownloadSuccessful = TAVIX_TR("Download successful!");
// Below the question before Start: both versions, groups apart.
inline constexpr const char* kFmtUpgradeVersions =
    TAVIX_TR("Current version: %s\r\nNew version: %s");
// The question when the file's series (characters 2-3) or hardware code
// (characters 8-11) differ from the ESC's; No is the default answer.
inline constexpr const char* kMsgOtherHardware = TAVIX_TR(
    "This firmware is made for another ESC: its series or hardware code differs from the ESC's. "
    "An ESC flashed with firmware for other hardware may not start.\r\nAre you sure you want "
    "to upgrade?");
inline constexpr const char* kFmtHardwareLine =
    TAVIX_TR("The ESC: series %s, hardware %s. The file: series %s, hardware %s.");
// The read-back after the parameter-block write shows another version.
inline constexpr const char* kFmtVersionNotKept = TAVIX_TR(
    "The ESC did not keep the new firmware: it reports version %s, the file carries %s.\r\n"
    "Keep the ESC powered and press Start again; the transfer starts from the first block.");
// Below "Time out, download failure!": which frame went unanswered.
inline constexpr const char* kFmtDetailBlockTimeout = TAVIX_TR(
    "No reply to block %d of %d. Check the cable and the ESC's power, keep the ESC powered and "
    "press Start again; the transfer starts from the first block.");
inline constexpr const char* kDetailWriteTimeout = TAVIX_TR(
    "No reply to the write of the new version. Keep the ESC powered and press Start again; the "
    "transfer starts from the first block.");
inline constexpr const char* kDetailReadBackTimeout = TAVIX_TR(
    "No reply when the new version was read back. Keep the ESC powered and press Start again; "
    "the transfer starts from the first block.");
// Shown when another tab is chosen while a download runs.
inline constexpr const char* kMsgTabDuringDownload = TAVIX_TR(
    "A firmware download is running: the upgrade page stays until it ends. Leaving it would "
    "stop the download and can leave the ESC without working firmware. Press Stop first to "
    "leave it.");
// A version with no characters, in the texts above.
inline constexpr const char* kTextNoVersion = TAVIX_TR("(none)");

// The line below kMsgInvalidFirmwareFile: which check the file failed.
inline constexpr const char* kDetailNoColon = TAVIX_TR(
    "Layout: the file has no colon. A firmware file is <image>:<length>:<version>:<check>: "
    "on one line.");
inline constexpr const char* kDetailNoVersionEnd = TAVIX_TR(
    "Layout: no colon after the version text. A firmware file is "
    "<image>:<length>:<version>:<check>: on one line.");
inline constexpr const char* kDetailLengthMismatch = TAVIX_TR(
    "Length: the length field does not give the %lu image characters before the first colon.");
inline constexpr const char* kDetailCheckFailed = TAVIX_TR(
    "Checksum: no check field matches the CRC-16 %u of the text before it; the file is damaged "
    "or was changed.");
inline constexpr const char* kDetailTooLarge =
    TAVIX_TR("Size: the image is %lu bytes; an ESC takes at most %lu.");
inline constexpr const char* kDetailEmptyImage = TAVIX_TR(
    "Image: the file holds no firmware image (its image text is empty); there is nothing to "
    "flash.");
inline constexpr const char* kDetailVersionLength =
    TAVIX_TR("Version: the version text has %lu characters; the ESC needs exactly 16.");
inline constexpr const char* kDetailVersionZero = TAVIX_TR(
    "Version: the version text holds a zero byte at character %lu; the ESC needs 16 characters.");
// Asked before the main window closes while a download runs.
inline constexpr const char* kMsgExitDuringDownload = TAVIX_TR(
    "A firmware download is running. Stopping it now can leave the ESC without working "
    "firmware.\r\nDo you really want to exit?");

// Captions of the page.
inline constexpr const char* kLabelCurrentVersion = TAVIX_TR("Current Version:");
inline constexpr const char* kLabelUpgradeFile = TAVIX_TR("Upgrade File:");
inline constexpr const char* kLabelFirmwareVersion = TAVIX_TR("Version of the Firmware:");
inline constexpr const char* kLabelUpgradeStatus = TAVIX_TR("Upgrade Status:");
inline constexpr const char* kGroupUpgradeFile = TAVIX_TR("Specify the Upgrade File");
inline constexpr const char* kBtnBrowse = TAVIX_TR("Browse ...");
inline constexpr const char* kBtnStart = TAVIX_TR("Start");
inline constexpr const char* kBtnStop = TAVIX_TR("Stop");
// The open-file dialog's filter: "Dlc" and the word for file (GBK CE C4 BC FE).
inline constexpr const char* kFirmwareFilterLabel = "Dlc\xCE\xC4\xBC\xFE";
inline constexpr const char* kFirmwarePattern = "*.Dlc";
// Beside the activity bar while a download runs: "block 3 of 9, 28%".
// A download that did not end well: the page says so until one succeeds.
inline constexpr const char* kTextIncompleteVersion = TAVIX_TR("unknown (download not completed)");
inline constexpr const char* kMsgFirmwareIncomplete = TAVIX_TR(
    "The ESC's firmware may be incomplete: do not fly it. Keep it powered and press Start "
    "again with the same file.");
// The command line's words for the same warning, after a flash that did not end well.
inline constexpr const char* kMsgFirmwareIncompleteCli = TAVIX_TR(
    "The ESC's firmware may be incomplete: do not fly it. Keep it powered and run the same "
    "flash command again with the same file.");
inline constexpr const char* kFmtBlockProgress = TAVIX_TR("block %d of %d, %d%%");
inline constexpr const char* kFmtSecondsLeft = TAVIX_TR(", about %lld s left");
inline constexpr const char* kFmtMinutesLeft = TAVIX_TR(", about %lld min %lld s left");

}  // namespace tavix
