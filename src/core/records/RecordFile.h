#pragma once
// Opening a record file (*.dat) as a flight of its own: the record read from
// the file's bytes, its calibration taken from config.ini by its hardware
// code, checked for values no device produces. Nothing else changes: the
// window's current flight, the settings and the document stay as they are,
// so the logbook or a comparison can open as many records as it needs.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "flight/FlightData.h"
#include "flight/FlightRecord.h"
#include "records/RecordCodec.h"

namespace tavix {

class CalibrationBook;

// What a record file is read up to: the largest record the memory can take,
// and room for an extension (the ESC's block, sections of newer builds).
inline constexpr std::size_t kRecordReadLimit =
    RecordFileSize(kChannelCount, kMaxSamples) + 4 * 1024 * 1024;

// The main form's fields the document exchanges with the record: what the
// user typed before a save, what the form shows after an open.
struct RecordForm {
    std::string note;  // at most kMaxNoteLength characters are stored
    float gearRate =
        1.0f;  // after an open: InitialGearRate of the file's (header too when unusable)
    std::int32_t poles = 0;
    std::string version;  // device version text of the record
    std::string warning;  // after an open: the record holds values no device produces
};

// Reads `bytes` (the file `name`, for messages) into a new flight: header,
// logger block, ranges and the announced channels; calibration (k, c) from
// `calibrations` by the file's hardware code; a gear rate the form cannot
// show reset to 1, the Y-axis channel taken modulo 8; the data-loaded flag
// set and `form` filled. Channels the file does not hold keep the settings of
// `base` (the record shown until now), or a fresh record's without one. The
// flight is not converted yet. On refusal returns null with `message`.
[[nodiscard]] std::unique_ptr<FlightData> LoadRecordFile(std::string_view bytes,
                                                         const std::string& name,
                                                         const CalibrationBook& calibrations,
                                                         RecordForm& form, std::string& message,
                                                         const FlightRecord* base = nullptr);

// The same on the file at `path` (a regular file only: a FIFO or a device
// would block the read). A file larger than a record with its extension can
// be (kRecordReadLimit) is read that far only: it loads, but is marked as not read whole
// (FlightRecord::notReadWhole), so it is never saved over.
std::unique_ptr<FlightData> ReadRecordFile(const std::string& path,
                                           const CalibrationBook& calibrations, RecordForm& form,
                                           std::string& message,
                                           const FlightRecord* base = nullptr);

// Puts the bytes of a new record file into place at `path`, whole or not at
// all, never over another file. On failure returns false with the system's
// `reason`, or with the upload's kRecordNameTaken when another file got that
// name first (the flight then takes the next number).
[[nodiscard]] bool StoreNewRecordFile(const std::string& path, std::string_view bytes,
                                      std::string& reason);

}  // namespace tavix
