#pragma once
// The words of the ESC parameter pages, kept in one place so the pages, the
// command-line tool and the tests use the same texts.

#include "base/Translate.h"
#include "link/LinkMessages.h"

namespace tavix {

// The label of the version line of a parameter file and of the version
// bytes of a block.
inline constexpr const char* kParamFileVersion = "Firmware Version";
inline constexpr const char* kMsgEscConfirmUpdate = TAVIX_TR("Are you sure you want to update?");
inline constexpr const char* kMsgEscInvalidVersion =
    TAVIX_TR("Invalid version number, please re-power on and try it again!");
inline constexpr const char* kMsgEscUpdateComplete = TAVIX_TR("Parameters updating complete!");
inline constexpr const char* kMsgEscUpdateTimeout =
    TAVIX_TR("Time out, parameters updating failure!");
inline constexpr const char* kMsgEscCalibrationOutOfOrder = TAVIX_TR(
    "Throttle calibration parameters have been revised to the wrong value; Please re-read "
    "settings data transfer electricity!");
inline constexpr const char* kMsgTemperatureOffsetRange =
    TAVIX_TR("Temperature Offset takes a whole number 0-255.");
inline constexpr const char* kMsgEscNotTaken = TAVIX_TR(
    "The ESC was written, but these parameters did not take: %s. Please check the ESC and "
    "try again.");
inline constexpr const char* kMsgEscReadBackTimeout = TAVIX_TR(
    "The parameters were sent, but reading them back timed out: read the ESC again to check "
    "them!");
inline constexpr const char* kMsgEscRestoreUnread =
    TAVIX_TR("Read the ESC first: a snapshot is restored onto the values the ESC holds.");
inline constexpr const char* kMsgEscRestoreOtherSeries =
    TAVIX_TR("The snapshot holds parameters of the %s series, but this ESC is of the %s series!");
inline constexpr const char* kMsgEscRestoreOtherVersion = TAVIX_TR(
    "The snapshot was taken of firmware %s, but this ESC runs %s: its parameters may mean "
    "other things, so it is not restored.");
inline constexpr const char* kMsgEscReadOverChanges =
    TAVIX_TR("The page holds changes that are not in the ESC yet. Read the ESC and lose them?");
inline constexpr const char* kMsgEscLoadedNotSent = TAVIX_TR(
    "The values of the file are on the page but not yet in the ESC: press \"Update\" to write "
    "them.");
// A read found an ESC of another series than the page's (swapped on the port).
inline constexpr const char* kFmtEscOtherSeriesRead = TAVIX_TR(
    "The ESC on the port is now %s, not of the %s series this page is for. Nothing of it is "
    "shown here: its own page reads it.");
inline constexpr const char* kMsgEscConfirmRestore =
    TAVIX_TR("Put the snapshot back into the ESC? This changes:");
inline constexpr const char* kMsgEscNothingToRestore =
    TAVIX_TR("The ESC holds the values of the snapshot already: nothing to restore.");

// Captions of the page.
inline constexpr const char* kLabelEscFirmwareVersion = TAVIX_TR("Firmware Version:");
inline constexpr const char* kLabelEscStatus = TAVIX_TR("Status:");
inline constexpr const char* kBtnEscDefaultValue = TAVIX_TR("Default Value");
inline constexpr const char* kBtnEscUpdate = TAVIX_TR("Update");
inline constexpr const char* kBtnEscReadFromEsc = TAVIX_TR("Read from ESC");
inline constexpr const char* kBtnEscHistory = TAVIX_TR("History...");
inline constexpr const char* kBtnEscRestore = TAVIX_TR("Restore");
inline constexpr const char* kTipEscChanged =
    TAVIX_TR("Changed since the last read: not yet in the ESC");

// The "Batch..." dialog of the page.
inline constexpr const char* kBtnEscBatch = TAVIX_TR("Batch...");
inline constexpr const char* kTitleEscBatch = TAVIX_TR("Many ESCs in a row");
inline constexpr const char* kLabelBatchSettings = TAVIX_TR("Settings:");
inline constexpr const char* kLabelBatchCount = TAVIX_TR("ESCs:");
inline constexpr const char* kBatchPageValues = TAVIX_TR("The page's values");
inline constexpr const char* kBtnBatchStart = TAVIX_TR("Start");
inline constexpr const char* kBtnBatchStop = TAVIX_TR("Stop");
inline constexpr const char* kBtnBatchSaveReport = TAVIX_TR("Save Report...");
inline constexpr const char* kBatchReportFilter = TAVIX_TR("CSV Files (*.csv)");
inline constexpr const char* kMsgCantWriteBatchReport = TAVIX_TR("Can't write the report %s (%s)!");

// The "Presets" menu of the page.
inline constexpr const char* kBtnEscPresets = TAVIX_TR("Presets");
inline constexpr const char* kMenuSavePreset = TAVIX_TR("Save Page as Preset...");
inline constexpr const char* kMenuApplyPreset = TAVIX_TR("Apply Preset");
inline constexpr const char* kMenuRenamePreset = TAVIX_TR("Rename Preset");
inline constexpr const char* kMenuDeletePreset = TAVIX_TR("Delete Preset");
inline constexpr const char* kMenuExportPreset = TAVIX_TR("Export Preset");
inline constexpr const char* kMenuImportPreset = TAVIX_TR("Import Preset...");
inline constexpr const char* kMenuNoPresets = TAVIX_TR("(no presets)");
inline constexpr const char* kAskPresetName = TAVIX_TR("Name of the preset:");
inline constexpr const char* kMsgReplacePreset =
    TAVIX_TR("A preset named \"%s\" exists already. Replace it?");
inline constexpr const char* kMsgDeletePreset = TAVIX_TR("Delete the preset \"%s\"?");
inline constexpr const char* kMsgPresetNothingToSave =
    TAVIX_TR("Read the ESC first: the page holds no values to keep as a preset.");
inline constexpr const char* kMsgEscPresetApplied = TAVIX_TR(
    "The values of the preset \"%s\" are on the page but not yet in the ESC: press \"Update\" "
    "to write them. Compared with the ESC this changes:");

}  // namespace tavix
