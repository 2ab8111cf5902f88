#pragma once
// The ESC's 512-byte parameter block as plain data: what a series' table
// reads out of it and how the values go back in. No port, no page: the
// parameter page, the command-line tool, the snapshot history and the record
// files all use these two functions, so a block means the same everywhere.

#include <array>
#include <string>
#include <vector>

#include "base/Bytes.h"
#include "esc/EscSeries.h"

namespace tavix {

// The throttle calibration of an Ostrin ESC, in half microseconds.
struct ThrottleCalibration {
    int reverse = 0;
    int neutral = 0;
    int forward = 0;
    bool InOrder() const { return reverse < neutral && neutral < forward; }
};

// What a block holds, as the page shows it.
struct EscBlockValues {
    std::string version;         // the 16 bytes at the version offset, as sent
    std::vector<int> selection;  // per list of the table: entry index, -1 none
    std::array<std::string, kEscFieldCount> texts;
    ThrottleCalibration calibration;  // series with a calibration only

    const std::string& Text(EscField field) const { return texts[static_cast<std::size_t>(field)]; }
};

// Reads `block` (kParamBlockSize bytes) with `table`. A shorter block reads as
// zero bytes where it ends.
EscBlockValues DecodeParamBlock(const EscSeriesTable& table, const Bytes& block);

// The block a write sends: 0xFF first, the version, every list, the
// temperature offset, the calibration, and the table's kept bytes as they are
// in `kept` (the block last read). Returns an empty block and sets `refusal`
// when a value cannot be sent as it is: a version that is not 16 bytes, a
// calibration out of order, a temperature offset beyond 0-255.
Bytes EncodeParamBlock(const EscSeriesTable& table, const EscBlockValues& values, const Bytes& kept,
                       std::string& refusal);

// The block a restore writes: `snapshot`'s own bytes at every offset a write
// carries (lists, kept bytes, temperature offset, calibration, version) and
// 0xFF first, as a write always begins. Byte-exact: a value the table has no
// entry for goes back as it was, not through the page's lists.
Bytes RestoreBlock(const EscSeriesTable& table, const Bytes& snapshot);

// The temperature offset box as the byte it writes, or -1 when the text is no
// whole number 0-255 ("" writes 0, as the page always did).
int TemperatureOffsetValue(const std::string& text);

// The name of what a block offset holds ("LVC", "Firmware Version",
// "throttle calibration", "kept as read").
std::string OffsetName(const EscSeriesTable& table, std::size_t offset);

// The carried offsets (CarriedOffsets) where `written` and `holds` differ.
std::vector<std::size_t> NotTaken(const EscSeriesTable& table, const Bytes& written,
                                  const Bytes& holds);

// The names of the parameters behind `offsets`, each once, in offset order
// ("Brake, Timing Advance").
std::string NamesOf(const EscSeriesTable& table, const std::vector<std::size_t>& offsets);

}  // namespace tavix
