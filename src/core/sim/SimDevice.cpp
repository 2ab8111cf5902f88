#include "sim/SimDevice.h"

#include <algorithm>

#include "link/Frame.h"

namespace tavix::sim {

namespace {

// The request log keeps this many entries; older ones are dropped in halves.
constexpr std::size_t kRequestLogLimit = 4096;

// A wrong command byte is one no host is waiting for.
constexpr std::uint8_t kWrongCommandBit = 0x80;

Bytes Ack(const DeviceFrame& request) {
    return BuildFrame(request.command, request.address, request.length, nullptr, 0);
}

}  // namespace

SimDevice::SimDevice(Series series)
    : series_(series), paramBlock_(DefaultParamBlock(series)), parser_(FrameDirection::Request) {
    if (HasLogger()) {
        LoadMemory(NormalMemoryPlan());
    }
}

void SimDevice::SwapEsc(Series series) {
    series_ = series;
    paramBlock_ = DefaultParamBlock(series);
    memory_.clear();
    if (HasLogger()) {
        LoadMemory(NormalMemoryPlan());
    }
    ClearFirmware();
}

std::string SimDevice::Version() const {
    return std::string(reinterpret_cast<const char*>(paramBlock_.data()) + kBlockVersionOffset,
                       kBlockVersionSize);
}

void SimDevice::SetParamBlock(const Bytes& block) {
    paramBlock_ = block;
    paramBlock_.resize(kParamBlockSize, 0);
}

Bytes SimDevice::FirmwareImage() const {
    std::size_t size = 0;
    for (const auto& block : firmware_) {
        size = std::max(size, static_cast<std::size_t>(block.address) + block.data.size());
    }
    Bytes image(size, 0);
    for (const auto& block : firmware_) {
        std::copy(block.data.begin(), block.data.end(), image.begin() + block.address);
    }
    return image;
}

void SimDevice::ClearFirmware() {
    firmware_.clear();
    firmwareNext_ = 0;
    firmwarePending_ = false;
}

void SimDevice::SetFaults(const SimFaults& faults) {
    faults_ = faults;
    Reconnect();
}

bool SimDevice::AppendFlight(int samples) {
    // Every flight flown differs from the ones before, even at the same
    // place after a clear.
    return HasLogger() && sim::AppendFlight(memory_, samples, MemoryPlan{}.seed + 7919u * ++flown_);
}

void SimDevice::Reconnect() {
    disconnected_ = false;
    blocksAnswered_ = 0;
    firmwareBlocksAnswered_ = 0;
    requestsSeen_ = 0;
}

SimFaults SimDevice::DeliveryFaults() const {
    SimFaults faults = faults_;
    if (lateReply_) {
        faults.delayMs += kLateReplyMs;
    }
    return faults;
}

int SimDevice::RequestCount(std::uint8_t command) const {
    return static_cast<int>(
        std::count_if(requests_.begin(), requests_.end(),
                      [&](const DeviceFrame& f) { return f.command == command; }));
}

void SimDevice::ClearLog() {
    requests_.clear();
    repliesSent_ = 0;
}

Bytes SimDevice::ReadMemory(std::uint16_t address, std::uint16_t length) const {
    Bytes data(length, 0xFF);
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t a = static_cast<std::size_t>(address) + i;
        if (a < memory_.size()) {
            data[i] = memory_[a];
        }
    }
    return data;
}

void SimDevice::WriteMemory(std::uint16_t address, const Bytes& data) {
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::size_t a = static_cast<std::size_t>(address) + i;
        if (a < memory_.size()) {
            memory_[a] = data[i];
        }
    }
}

Bytes SimDevice::Serve(const DeviceFrame& request) {
    const bool blockAddress =
        request.address == kParamBlockAddress && request.length == kParamBlockSize;
    switch (request.command) {
        case kCmdReadBlock:
            if (!blockAddress) {
                return {};
            }
            return BuildFrame(request.command, request.address, request.length, paramBlock_.data(),
                              paramBlock_.size());
        case kCmdReadMemory: {
            if (!HasLogger()) {
                return {};
            }
            const Bytes data = ReadMemory(request.address, request.length);
            return BuildFrame(request.command, request.address, request.length, data.data(),
                              data.size());
        }
        case kCmdWriteMemory:
            if (!HasLogger()) {
                return {};
            }
            WriteMemory(request.address, request.data);
            return Ack(request);
        case kCmdWriteBlock:
            if (!blockAddress) {
                return {};
            }
            if (!faults_.keepParamBlock) {
                paramBlock_ = request.data;
            }
            if (firmwarePending_) {
                // The download is complete: the new version is in the block.
                firmwarePending_ = false;
                ++firmwareInstalls_;
            }
            return Ack(request);
        case kCmdWriteFirmware:
            if (request.address == 0) {
                ClearFirmware();
            } else if (request.address != firmwareNext_) {
                ++firmwareOrderErrors_;
                return {};
            }
            firmware_.push_back(FirmwareBlock{request.address, request.data});
            firmwareNext_ = static_cast<std::size_t>(request.address) + request.data.size();
            firmwarePending_ = true;
            return Ack(request);
        default:
            return {};
    }
}

Bytes SimDevice::Answer(const DeviceFrame& request) {
    if (requests_.size() >= kRequestLogLimit) {
        requests_.erase(requests_.begin(), requests_.begin() + kRequestLogLimit / 2);
    }
    lateReply_ = false;
    if (disconnected_ || faults_.silent) {
        requests_.push_back(request);
        return {};
    }
    if (faults_.loseRequest > 0 && ++requestsSeen_ == faults_.loseRequest) {
        // Lost on the line: the device never sees it, and an old reply comes again.
        lateReply_ = !lastReply_.empty();
        return lastReply_;
    }
    requests_.push_back(request);

    const bool recordBlock = request.command == kCmdReadMemory && request.address >= kRecordStart;
    if (recordBlock && faults_.disconnectAfterBlocks >= 0 &&
        blocksAnswered_ >= faults_.disconnectAfterBlocks) {
        disconnected_ = true;
        return {};
    }

    const bool firmwareBlock = request.command == kCmdWriteFirmware;
    if (firmwareBlock && faults_.disconnectAfterFirmwareBlocks >= 0 &&
        firmwareBlocksAnswered_ >= faults_.disconnectAfterFirmwareBlocks) {
        disconnected_ = true;
        return {};
    }

    Bytes reply = Serve(request);
    if (reply.empty()) {
        return reply;
    }
    if (recordBlock) {
        ++blocksAnswered_;
    }
    if (firmwareBlock) {
        ++firmwareBlocksAnswered_;
    }
    if (faults_.wrongCommand) {
        reply[0] = static_cast<std::uint8_t>(reply[0] | kWrongCommandBit);
        const std::uint16_t crc = Crc16(reply.data(), reply.size() - 2);
        reply[reply.size() - 2] = static_cast<std::uint8_t>(crc >> 8);
        reply[reply.size() - 1] = static_cast<std::uint8_t>(crc & 0xFF);
    }
    if (faults_.badCrc) {
        reply.back() = static_cast<std::uint8_t>(reply.back() ^ 0x5A);
    }
    if (faults_.strayBytes > 0) {
        reply.insert(reply.begin(), static_cast<std::size_t>(faults_.strayBytes), kStrayByte);
    }
    ++repliesSent_;
    lastReply_ = reply;
    return reply;
}

std::vector<Bytes> SimDevice::Receive(const std::uint8_t* data, std::size_t size) {
    parser_.Feed(data, size);
    std::vector<Bytes> replies;
    while (auto frame = parser_.Next()) {
        Bytes reply = Answer(*frame);
        if (!reply.empty()) {
            replies.push_back(std::move(reply));
        }
    }
    return replies;
}

}  // namespace tavix::sim
