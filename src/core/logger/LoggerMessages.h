#pragma once
// The texts the main form's device session and the upload processing show,
// kept in one place so the windows, the command-line tool and the tests use
// the same words. Texts with a %s or %d are formats (FormatText).

#include "base/FormatText.h"
#include "base/Translate.h"
#include "device/DeviceMessages.h"

namespace tavix {

// Upload.
inline constexpr const char* kMsgConfirmUpload =
    TAVIX_TR("Make sure gear rate and pole number are correct!\nDo you want to continue?");
inline constexpr const char* kMsgNoFlyData = TAVIX_TR("No fly record data!");
// The form's pole number cannot be a motor's (a motor has at least one pole pair).
inline constexpr const char* kMsgPoleNumberTooSmall = TAVIX_TR(
    "The pole number must be a whole number of at least %d: a motor has at least one pole "
    "pair. Please correct \"Pole Number :\" before uploading.");
inline constexpr const char* kMsgDataTimeout = TAVIX_TR("Time out, get data failure!");
inline constexpr const char* kMsgTooMuchFlyData = TAVIX_TR("Too much fly data!");
// A record file that could not be written: its name and the system's reason.
inline constexpr const char* kMsgRecordWriteFailed =
    TAVIX_TR("Can't write the record file %s (%s)! This flight was not saved.");
// Every flight of an upload was too short to keep.
inline constexpr const char* kMsgNoFlightLongEnough = TAVIX_TR(
    "No flight was long enough to keep: a flight needs at least %d samples. No record file was "
    "written.");

// The summary after an upload: flights found, files written, flights skipped.
inline constexpr const char* kFmtSummaryFound = TAVIX_TR("Flights found in the logger: %d\n");
inline constexpr const char* kMsgSummaryNoFile = TAVIX_TR("No record file was written.\n");
inline constexpr const char* kFmtSummaryWritten = TAVIX_TR("Record files written: %d, in %s\n");
inline constexpr const char* kFmtSummaryFile = "  %s\n";
inline constexpr const char* kMsgSummarySkipped = TAVIX_TR("Skipped:\n");
inline constexpr const char* kFmtSkippedEmpty = TAVIX_TR("  flight %d: no samples\n");
inline constexpr const char* kFmtSkippedTooShort =
    TAVIX_TR("  flight %d: %d samples, shorter than %d\n");
inline constexpr const char* kFmtSkippedTooLong =
    TAVIX_TR("  flight %d: %d samples, longer than %d\n");
inline constexpr const char* kFmtSkippedWriteFailed =
    TAVIX_TR("  flight %d: the file %s could not be written (%s)\n");
inline constexpr const char* kFmtSkippedOverwritten =
    TAVIX_TR("  flight %d: overwritten by cycle recording, a later flight was written over it\n");
// The upload question's second part: what the record files will carry.
inline constexpr const char* kFmtConfirmUploadValues =
    TAVIX_TR("\n\nGear rate: %.2f\nPole number: %d\nNote: %s");
inline constexpr const char* kMsgNoNote = TAVIX_TR("(none)");

// The flights the logger holds, before any is read.
inline constexpr const char* kFmtFlightListTitle = TAVIX_TR("The logger holds %d flights:\n");
// Tick, number, samples, seconds, what it is.
inline constexpr const char* kFmtFlightLine = "  [%c] %2d  %5d samples  %7.1f s  %s";
inline constexpr const char* kMsgFlightNew = TAVIX_TR("new");
inline constexpr const char* kFmtFlightStored = TAVIX_TR("already stored: %s");
inline constexpr const char* kMsgFlightOverwritten = TAVIX_TR("overwritten by cycle recording");
inline constexpr const char* kMsgFlightEmpty = TAVIX_TR("no samples");
inline constexpr const char* kFmtFlightTooShort = TAVIX_TR("shorter than %d samples, not kept");
inline constexpr const char* kFmtFlightTooLong = TAVIX_TR("longer than %d samples, not kept");
inline constexpr const char* kMsgRingOverwrote = TAVIX_TR(
    "Cycle recording has written over the oldest flights: they can no longer be read whole.");
inline constexpr const char* kMsgBadFlightChoice =
    TAVIX_TR("--flights takes new, all or flight numbers 1-%d separated by commas, not \"%s\"");
inline constexpr const char* kMsgNoSuchFlight =
    TAVIX_TR("The logger holds no flight %d (it holds %d).");
inline constexpr const char* kMsgNoFlightChosen =
    TAVIX_TR("No flight was chosen: nothing was read.");
// The summary's count of what this upload added to the folder.
inline constexpr const char* kFmtSummaryNewStored = TAVIX_TR("%d new, %d already stored in %s\n");
inline constexpr const char* kFmtSkippedStored = TAVIX_TR("  flight %d: already stored (%s)\n");
inline constexpr const char* kFmtSkippedNotChosen = TAVIX_TR("  flight %d: not chosen\n");
inline constexpr const char* kFmtSkippedNotRead =
    TAVIX_TR("  flight %d: not read whole before the line failed; upload again to get it\n");
// Below the time-out's detail when the line failed in the middle of the
// flights: what was kept, and what to do.
inline constexpr const char* kFmtUploadCutOff = TAVIX_TR(
    "Flight(s) %s did not come whole: nothing of them was written. The flights read whole were "
    "written (see the summary). The logger still holds every flight: upload again, and the "
    "flights written now count as stored.");

// Clearing the logger memory.
inline constexpr const char* kMsgConfirmClear =
    TAVIX_TR("Are you sure you want to clear all the data in the logger?");
inline constexpr const char* kMsgCleared = TAVIX_TR("Recorder's current data has been cleared!");
inline constexpr const char* kMsgClearFailed = TAVIX_TR("Clear recorder data failed!");

// Record file names of an upload: year, month (1-12), day, number from 1.
inline constexpr const char* kRecordFileNameFormat = "%d-%d-%d_%d.dat";

}  // namespace tavix
