#include "logger/FlightMap.h"

#include <algorithm>

#include "logger/LoggerHeader.h"

namespace tavix {

namespace {

bool Cross(const AddressRange& a, const AddressRange& b) {
    return a.address < b.End() && b.address < a.End();
}

bool Cross(const FlightPlace& a, const FlightPlace& b) {
    for (const AddressRange& x : a.ranges) {
        for (const AddressRange& y : b.ranges) {
            if (Cross(x, y)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::vector<FlightPlace> MapFlights(const LoggerBlock& block) {
    const int count = FlightCountOf(block);
    const int ringEnd = block.lastAddress + 1;
    std::vector<FlightPlace> places;
    places.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        FlightPlace place;
        place.number = i + 1;
        place.start = i == 0 ? kRecordStartAddress : block.EndAddress(i - 1);
        place.end = block.EndAddress(i);
        if (place.start < kRecordStartAddress || place.end < kRecordStartAddress) {
            // A header that contradicts itself: nothing of such a flight can
            // be read from the sample area.
        } else if (place.end >= place.start) {
            place.samples = (place.end - place.start) / kSampleBytes;
            if (place.end > place.start) {
                place.ranges.push_back({place.start, place.end - place.start});
            }
        } else {
            // The head up to the last address, then the tail from 64.
            place.samples =
                (place.end - kRecordStartAddress + block.lastAddress - place.start + 1) /
                kSampleBytes;
            if (ringEnd > place.start) {
                place.ranges.push_back({place.start, ringEnd - place.start});
            }
            if (place.end > kRecordStartAddress) {
                place.ranges.push_back({kRecordStartAddress, place.end - kRecordStartAddress});
            }
        }
        places.push_back(std::move(place));
    }
    // Only a ring writes over earlier flights; without cycle recording the
    // logger stops when its memory is full.
    if (block.cycle != 0) {
        for (int i = 0; i < count; ++i) {
            for (int j = i + 1; j < count && !places[i].overwritten; ++j) {
                places[i].overwritten = Cross(places[i], places[j]);
            }
        }
    }
    return places;
}

std::vector<AddressRange> ReadsFor(std::vector<AddressRange> ranges, int blockSize) {
    std::erase_if(ranges, [](const AddressRange& r) { return r.length <= 0; });
    std::sort(ranges.begin(), ranges.end(),
              [](const AddressRange& a, const AddressRange& b) { return a.address < b.address; });
    std::vector<AddressRange> joined;
    for (const AddressRange& r : ranges) {
        if (!joined.empty() && r.address <= joined.back().End()) {
            joined.back().length = std::max(joined.back().End(), r.End()) - joined.back().address;
        } else {
            joined.push_back(r);
        }
    }
    std::vector<AddressRange> reads;
    for (const AddressRange& run : joined) {
        for (int a = run.address; a < run.End(); a += blockSize) {
            reads.push_back({a, std::min(blockSize, run.End() - a)});
        }
    }
    return reads;
}

int BytesOf(const std::vector<AddressRange>& ranges) {
    int total = 0;
    for (const AddressRange& r : ranges) {
        total += r.length;
    }
    return total;
}

}  // namespace tavix
