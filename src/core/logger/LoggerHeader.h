#pragma once
// The logger's 64-byte memory header (read from address 0; multi-byte values
// high byte first) and what the upload reads because of it.
//
//   16-17 last address of the record memory    20 cycle recording (non-zero: on)
//   22    sampling rate, samples per second    31 number of flights (at most 16)
//   32-63 sixteen flight end addresses, in recording order
//
// Samples start at address 64. Flight i runs from the end of flight i-1 (64
// for flight 0) up to its own end address, exclusive. With cycle recording the
// record memory is a ring: a flight whose end is below its start went on at 64
// after the last address, over the oldest flights.

#include <cstddef>
#include <cstdint>

#include "flight/FlightRecord.h"

namespace tavix {

inline constexpr std::uint16_t kRecordStartAddress = 64;
inline constexpr std::uint16_t kLoggerHeaderSize = 64;
inline constexpr int kMaxFlights = 16;
inline constexpr int kSampleBytes = 8;
// Shorter flights are not kept: a few seconds on the bench, not a flight.
inline constexpr int kMinFlightSamples = 64;

// The header's fields as the record keeps them (first address 64, 5 channels).
// `header` holds kLoggerHeaderSize bytes.
LoggerBlock DecodeLoggerHeader(const std::uint8_t* header);

// The number of flights whose end addresses the header can hold: a count byte
// above 16 would name end addresses that do not exist.
int FlightCountOf(const LoggerBlock& block);

// With cycle recording, some flight ended below the one before it: the ring
// has been overwritten and only the last flight is still whole.
bool MemoryHasWrapped(const LoggerBlock& block);

// Bytes to upload from address 64: up to the end of the last flight, or the
// whole record memory when the memory has wrapped and the last flight ended
// below the one before it. Zero or less means there is nothing to read (an
// inconsistent header whose last end address lies at or before 64).
int UploadLength(const LoggerBlock& block);

}  // namespace tavix
