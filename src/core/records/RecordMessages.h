#pragma once
// Texts of the record document, kept in one place for the windows, the
// command-line tool and the tests. Formats are filled with FormatText.

#include "base/Translate.h"
#include "logger/LoggerMessages.h"

namespace tavix {

inline constexpr const char* kMsgNoConfigure = TAVIX_TR("No configure of %s, record load failed");

// A record file that cannot be read at all: its name and the system's reason.
inline constexpr const char* kMsgRecordUnreadable = TAVIX_TR("Can't read the record file %s (%s)!");
// Files that would not fit the record memory, or that end too early. The file
// is refused before anything is loaded, so the record on screen stays.
inline constexpr const char* kMsgRecordBadChannels = TAVIX_TR(
    "The record file %s announces %d channels, but a record holds 1 to 8 channels. "
    "The file was not loaded.");
inline constexpr const char* kMsgRecordBadSamples = TAVIX_TR(
    "The record file %s announces %d samples per channel, but a record holds 1 to 16384 samples. "
    "The file was not loaded.");
inline constexpr const char* kMsgRecordTooShort = TAVIX_TR(
    "The record file %s is too short: its header and channel table need %llu bytes, but the file "
    "has only %llu. The file was not loaded.");

// Saving a record file failed: its name and the system's reason. The file on
// disk, if there was one, is unchanged.
inline constexpr const char* kMsgRecordSaveFailed = TAVIX_TR("Can't save the record file %s (%s)!");
// Saving over a file the record was not read whole from: its name and why.
inline constexpr const char* kMsgRecordNotReadWhole = TAVIX_TR(
    "The record was not saved over %s: that file was not read whole (%s), and saving would lose "
    "what was not read. Save the record under another name.");
inline constexpr const char* kMsgRecordCut =
    TAVIX_TR("it is larger than %llu bytes, and only that much was read");

// A compared flight's legend after its file name and start time: its pack.
inline constexpr const char* kFmtLegendPack = TAVIX_TR("  pack %s");

}  // namespace tavix
