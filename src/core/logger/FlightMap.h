#pragma once
// Where each flight of the logger lies in its memory, worked out from the
// 64-byte header alone, and which reads fetch a set of address ranges.
//
// Flight i (counted from 0) runs from the end of flight i-1 (64 for flight 0)
// up to its own end address, exclusive. With cycle recording the sample area
// is a ring from 64 to the last address: a flight whose end lies below its
// start went on at 64 after the last address, so it lies in two ranges:
//
//   64                end(i)         start(i)                  last
//   |== tail of i ====|.... older ...|====== head of i ========|
//
// The ring writes over the oldest samples: a flight is overwritten when a
// later flight's ranges cross its own. Flights that no later flight touched
// are still whole, however often the ring has turned.

#include <cstdint>
#include <vector>

#include "flight/FlightRecord.h"

namespace tavix {

// A run of device addresses [address, address + length).
struct AddressRange {
    int address = 0;
    int length = 0;
    int End() const { return address + length; }
    bool operator==(const AddressRange&) const = default;
};

// One flight of the logger's header, where it lies and what became of it.
struct FlightPlace {
    int number = 0;  // counted from 1, in recording order
    int start = 0;   // device address of its first sample
    int end = 0;     // device address after its last sample
    int samples = 0;
    // Its bytes in recording order: one range, or two when it wrapped.
    std::vector<AddressRange> ranges;
    // A later flight of the ring was written over part of it.
    bool overwritten = false;
};

// Every flight the header counts (at most 16), in recording order. A flight
// whose start or end lies below 64 (a header that contradicts itself) has no
// range and no samples.
std::vector<FlightPlace> MapFlights(const LoggerBlock& block);

// The reads (each at most `blockSize` bytes) that fetch `ranges`: ranges are
// sorted, those that touch or overlap are joined, and each joined run is read
// from its first address in blocks, the last one shorter.
std::vector<AddressRange> ReadsFor(std::vector<AddressRange> ranges, int blockSize);

// Total bytes of `ranges`.
int BytesOf(const std::vector<AddressRange>& ranges);

}  // namespace tavix
