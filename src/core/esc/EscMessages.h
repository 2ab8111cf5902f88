#pragma once
// The words of the ESC parameter pages, kept in one place so the pages, the
// command-line tool and the tests use the same texts.

#include "link/LinkMessages.h"

namespace tavix {

// The label of the version line of a parameter file and of the version
// bytes of a block.
inline constexpr const char* kParamFileVersion = "Firmware Version";
inline constexpr const char* kMsgEscConfirmUpdate = "Are you sure you want to update?";
inline constexpr const char* kMsgEscInvalidVersion =
    "Invalid version number, please re-power on and try it again!";
inline constexpr const char* kMsgEscUpdateComplete = "Parameters updating complete!";
inline constexpr const char* kMsgEscUpdateTimeout = "Time out, parameters updating failure!";
inline constexpr const char* kMsgEscCalibrationOutOfOrder =
    "Throttle calibration parameters have been revised to the wrong value; Please re-read "
    "settings data transfer electricity!";
inline constexpr const char* kMsgTemperatureOffsetRange =
    "Temperature Offset takes a whole number 0-255.";
inline constexpr const char* kMsgEscNotTaken =
    "The ESC was written, but these parameters did not take: %s. Please check the ESC and "
    "try again.";
inline constexpr const char* kMsgEscReadBackTimeout =
    "The parameters were sent, but reading them back timed out: read the ESC again to check "
    "them!";
inline constexpr const char* kMsgEscRestoreUnread =
    "Read the ESC first: a snapshot is restored onto the values the ESC holds.";
inline constexpr const char* kMsgEscRestoreOtherSeries =
    "The snapshot holds parameters of the %s series, but this ESC is of the %s series!";
inline constexpr const char* kMsgEscRestoreOtherVersion =
    "The snapshot was taken of firmware %s, but this ESC runs %s: its parameters may mean "
    "other things, so it is not restored.";
inline constexpr const char* kMsgEscReadOverChanges =
    "The page holds changes that are not in the ESC yet. Read the ESC and lose them?";
inline constexpr const char* kMsgEscLoadedNotSent =
    "The values of the file are on the page but not yet in the ESC: press \"Update\" to write "
    "them.";
inline constexpr const char* kMsgEscConfirmRestore =
    "Put the snapshot back into the ESC? This changes:";
inline constexpr const char* kMsgEscNothingToRestore =
    "The ESC holds the values of the snapshot already: nothing to restore.";

// Captions of the page.
inline constexpr const char* kLabelEscFirmwareVersion = "Firmware Version:";
inline constexpr const char* kLabelEscStatus = "Status:";
inline constexpr const char* kBtnEscDefaultValue = "Default Value";
inline constexpr const char* kBtnEscUpdate = "Update";
inline constexpr const char* kBtnEscReadFromEsc = "Read from ESC";
inline constexpr const char* kBtnEscHistory = "History...";
inline constexpr const char* kBtnEscRestore = "Restore";
inline constexpr const char* kTipEscChanged = "Changed since the last read: not yet in the ESC";

// The "Batch..." dialog of the page.
inline constexpr const char* kBtnEscBatch = "Batch...";
inline constexpr const char* kTitleEscBatch = "Many ESCs in a row";
inline constexpr const char* kLabelBatchSettings = "Settings:";
inline constexpr const char* kLabelBatchCount = "ESCs:";
inline constexpr const char* kBatchPageValues = "The page's values";
inline constexpr const char* kBtnBatchStart = "Start";
inline constexpr const char* kBtnBatchStop = "Stop";
inline constexpr const char* kBtnBatchSaveReport = "Save Report...";
inline constexpr const char* kBatchReportFilter = "CSV Files (*.csv)";
inline constexpr const char* kMsgCantWriteBatchReport = "Can't write the report %s (%s)!";

// The "Presets" menu of the page.
inline constexpr const char* kBtnEscPresets = "Presets";
inline constexpr const char* kMenuSavePreset = "Save Page as Preset...";
inline constexpr const char* kMenuApplyPreset = "Apply Preset";
inline constexpr const char* kMenuRenamePreset = "Rename Preset";
inline constexpr const char* kMenuDeletePreset = "Delete Preset";
inline constexpr const char* kMenuExportPreset = "Export Preset";
inline constexpr const char* kMenuImportPreset = "Import Preset...";
inline constexpr const char* kMenuNoPresets = "(no presets)";
inline constexpr const char* kAskPresetName = "Name of the preset:";
inline constexpr const char* kMsgReplacePreset =
    "A preset named \"%s\" exists already. Replace it?";
inline constexpr const char* kMsgDeletePreset = "Delete the preset \"%s\"?";
inline constexpr const char* kMsgPresetNothingToSave =
    "Read the ESC first: the page holds no values to keep as a preset.";
inline constexpr const char* kMsgEscPresetApplied =
    "The values of the preset \"%s\" are on the page but not yet in the ESC: press \"Update\" "
    "to write them. Compared with the ESC this changes:";

}  // namespace tavix
