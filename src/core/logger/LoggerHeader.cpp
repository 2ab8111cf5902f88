#include "logger/LoggerHeader.h"

#include <algorithm>
#include <cstring>

namespace tavix {

LoggerBlock DecodeLoggerHeader(const std::uint8_t* header) {
    LoggerBlock block;
    block.lastAddress = static_cast<std::uint16_t>((header[16] << 8) | header[17]);
    block.firstAddress = kRecordStartAddress;
    block.channels = kUploadChannels;
    block.cycle = header[20] != 0 ? 1 : 0;
    block.rate = header[22];
    block.flightCount = header[31];
    std::memcpy(block.endAddresses.data(), header + 32, block.endAddresses.size());
    return block;
}

int FlightCountOf(const LoggerBlock& block) {
    return std::min<int>(block.flightCount, kMaxFlights);
}

bool MemoryHasWrapped(const LoggerBlock& block) {
    if (block.cycle == 0) {
        return false;
    }
    const int count = FlightCountOf(block);
    for (int i = 1; i < count; ++i) {
        if (block.EndAddress(i) < block.EndAddress(i - 1)) {
            return true;
        }
    }
    return false;
}

int UploadLength(const LoggerBlock& block) {
    const int count = FlightCountOf(block);
    if (count == 0) {
        return 0;
    }
    const int last = block.EndAddress(count - 1);
    int end = last;
    if (MemoryHasWrapped(block) && count >= 2 && last < block.EndAddress(count - 2)) {
        end = 0;
    }
    if (end == 0) {
        return block.lastAddress + 1 - kRecordStartAddress;
    }
    return end - kRecordStartAddress;
}

}  // namespace tavix
