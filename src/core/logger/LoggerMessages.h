#pragma once
// The texts the main form's device session and the upload processing show,
// kept in one place so the windows, the command-line tool and the tests use
// the same words. Texts with a %s or %d are formats (FormatText).

#include "base/FormatText.h"
#include "device/DeviceMessages.h"

namespace tavix {

// Upload.
inline constexpr const char* kMsgConfirmUpload =
    "Make sure gear rate and pole number are correct!\nDo you want to continue?";
inline constexpr const char* kMsgNoFlyData = "No fly record data!";
// The form's pole number cannot be a motor's (a motor has at least one pole pair).
inline constexpr const char* kMsgPoleNumberTooSmall =
    "The pole number must be a whole number of at least %d: a motor has at least one pole "
    "pair. Please correct \"Pole Number :\" before uploading.";
inline constexpr const char* kMsgDataTimeout = "Time out, get data failure!";
inline constexpr const char* kMsgTooMuchFlyData = "Too much fly data!";
// A record file that could not be written: its name and the system's reason.
inline constexpr const char* kMsgRecordWriteFailed =
    "Can't write the record file %s (%s)! This flight was not saved.";
// Every flight of an upload was too short to keep.
inline constexpr const char* kMsgNoFlightLongEnough =
    "No flight was long enough to keep: a flight needs at least %d samples. No record file was "
    "written.";

// The summary after an upload: flights found, files written, flights skipped.
inline constexpr const char* kFmtSummaryFound = "Flights found in the logger: %d\n";
inline constexpr const char* kMsgSummaryNoFile = "No record file was written.\n";
inline constexpr const char* kFmtSummaryWritten = "Record files written: %d, in %s\n";
inline constexpr const char* kFmtSummaryFile = "  %s\n";
inline constexpr const char* kMsgSummarySkipped = "Skipped:\n";
inline constexpr const char* kFmtSkippedEmpty = "  flight %d: no samples\n";
inline constexpr const char* kFmtSkippedTooShort = "  flight %d: %d samples, shorter than %d\n";
inline constexpr const char* kFmtSkippedTooLong = "  flight %d: %d samples, longer than %d\n";
inline constexpr const char* kFmtSkippedWriteFailed =
    "  flight %d: the file %s could not be written (%s)\n";
inline constexpr const char* kFmtSkippedOverwritten =
    "  flight %d: overwritten by cycle recording, a later flight was written over it\n";
// The upload question's second part: what the record files will carry.
inline constexpr const char* kFmtConfirmUploadValues =
    "\n\nGear rate: %.2f\nPole number: %d\nNote: %s";
inline constexpr const char* kMsgNoNote = "(none)";

// The flights the logger holds, before any is read.
inline constexpr const char* kFmtFlightListTitle = "The logger holds %d flights:\n";
// Tick, number, samples, seconds, what it is.
inline constexpr const char* kFmtFlightLine = "  [%c] %2d  %5d samples  %7.1f s  %s";
inline constexpr const char* kMsgFlightNew = "new";
inline constexpr const char* kFmtFlightStored = "already stored: %s";
inline constexpr const char* kMsgFlightOverwritten = "overwritten by cycle recording";
inline constexpr const char* kMsgFlightEmpty = "no samples";
inline constexpr const char* kFmtFlightTooShort = "shorter than %d samples, not kept";
inline constexpr const char* kFmtFlightTooLong = "longer than %d samples, not kept";
inline constexpr const char* kMsgRingOverwrote =
    "Cycle recording has written over the oldest flights: they can no longer be read whole.";
inline constexpr const char* kMsgBadFlightChoice =
    "--flights takes new, all or flight numbers 1-%d separated by commas, not \"%s\"";
inline constexpr const char* kMsgNoSuchFlight = "The logger holds no flight %d (it holds %d).";
inline constexpr const char* kMsgNoFlightChosen = "No flight was chosen: nothing was read.";
// The summary's count of what this upload added to the folder.
inline constexpr const char* kFmtSummaryNewStored = "%d new, %d already stored in %s\n";
inline constexpr const char* kFmtSkippedStored = "  flight %d: already stored (%s)\n";
inline constexpr const char* kFmtSkippedNotChosen = "  flight %d: not chosen\n";

// Clearing the logger memory.
inline constexpr const char* kMsgConfirmClear =
    "Are you sure you want to clear all the data in the logger?";
inline constexpr const char* kMsgCleared = "Recorder's current data has been cleared!";
inline constexpr const char* kMsgClearFailed = "Clear recorder data failed!";

// Record file names of an upload: year, month (1-12), day, number from 1.
inline constexpr const char* kRecordFileNameFormat = "%d-%d-%d_%d.dat";

}  // namespace tavix
