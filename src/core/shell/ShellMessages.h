#pragma once
// The application shell's own words: window captions, menu and button texts,
// the exit question and the status-bar formats. Kept in one place so the
// windows and the tests use the very same text.

#include <array>
#include "base/Translate.h"

namespace tavix {

inline constexpr const char* kAppName = "Tavix";
inline constexpr const char* kUntitledTitle = TAVIX_TR("Untitled - Tavix");
inline constexpr const char* kTitleSuffix = " - Tavix";
inline constexpr const char* kAboutCaption = TAVIX_TR("About Tavix");
inline constexpr const char* kAboutVersion = TAVIX_TR("Tavix Version 4.0");
inline constexpr const char* kAboutLine2 =
    TAVIX_TR("Host for brushless ESCs and their flight data logger");

inline constexpr const char* kMsgReallyExit = TAVIX_TR("Do you really want to exit?");
inline constexpr const char* kStatusReady = TAVIX_TR("Ready");
// While "Open Device" waits for the device's answer (up to a few seconds).
inline constexpr const char* kStatusIdentifying = TAVIX_TR("Asking the device who it is...");
inline constexpr const char* kClockFormat = "%H:%M:%S";
inline constexpr const char* kClockInitial = "00:00:00";
inline constexpr const char* kPaneCaps = "CAP";
inline constexpr const char* kPaneNum = "NUM";
inline constexpr const char* kPaneScroll = "SCRL";

// Per-user settings: where the recent-file list lives.
inline constexpr const char* kSettingsOrganisation = "Local AppWizard-Generated Applications";
inline constexpr const char* kSettingsApplication = "Tavix";
inline constexpr const char* kRecentFileGroup = "Recent File List";
inline constexpr const char* kRecentFileKey = "File%d";  // File1 .. File5
inline constexpr int kRecentFileCount = 5;

inline constexpr const char* kRecordFilter = TAVIX_TR("Tavix Files (*.dat)");
inline constexpr const char* kRecordExtension = ".dat";

// The five pages of the main form, in tab order.
inline constexpr int kTabCount = 5;
inline constexpr std::array<const char*, kTabCount> kTabCaptions = {
    TAVIX_TR("1.Welcome"), TAVIX_TR("2.Parameter Setting"), TAVIX_TR("3.Logger Configuration"),
    TAVIX_TR("4.Show the Record"), TAVIX_TR("5.Upgrade")};
enum TabIndex : int {
    kTabWelcome = 0,
    kTabParameter = 1,
    kTabLogger = 2,
    kTabRecord = 3,
    kTabUpgrade = 4,
};

// Main form controls.
inline constexpr const char* kBtnSetComPort = TAVIX_TR("&Set Com Port");
inline constexpr const char* kBtnOpenDevice = TAVIX_TR("&Open Device ...");
inline constexpr const char* kBtnUpload = TAVIX_TR("&Upload Record Data");
inline constexpr const char* kBtnClear = TAVIX_TR("&Clear Data");
inline constexpr const char* kBtnExit = TAVIX_TR("&Exit");
inline constexpr const char* kGroupUserParameter = TAVIX_TR("User Parameter");
inline constexpr const char* kLabelGearRate = TAVIX_TR("Gear Rate :");
inline constexpr const char* kLabelPoleNumber = TAVIX_TR("Pole Number :");

// Transfer progress window.
inline constexpr const char* kProgressCaption = TAVIX_TR("Data Transfering ......");

// COM port window.
inline constexpr const char* kComCaption = TAVIX_TR("Com Port Setting");
inline constexpr const char* kComLabel = TAVIX_TR("Default COM Port :");
inline constexpr const char* kComEntryFormat = "COM %d";
inline constexpr const char* kMsgComPortNotSaved =
    TAVIX_TR("config.ini could not be written: COM %d holds until Tavix closes.");
inline constexpr const char* kBtnOk = TAVIX_TR("&Ok");
inline constexpr const char* kBtnCancel = TAVIX_TR("&Cancel");
inline constexpr const char* kBtnApply = TAVIX_TR("&Apply");

}  // namespace tavix
