#include "sim/LoggerMemory.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tavix::sim {

namespace {

void PutHigh16(Bytes& bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value >> 8);
    bytes[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

// Each flight has its own seed, so adding a flight leaves the others alone.
std::uint32_t FlightSeed(std::uint32_t seed, std::size_t index) {
    return seed * 2654435761u + static_cast<std::uint32_t>(index) * 7919u + 1u;
}

}  // namespace

void EncodeSample(const Sample& sample, std::uint8_t* out) {
    out[0] = sample.voltage;
    out[1] = sample.current;
    out[2] = sample.throttle;
    out[3] = sample.temperature;
    out[4] = static_cast<std::uint8_t>(sample.rpmPeriod >> 8);
    out[5] = static_cast<std::uint8_t>(sample.rpmPeriod & 0xFF);
    out[6] = 0;
    out[7] = 0;
}

Sample DecodeSample(const std::uint8_t* in) {
    Sample s;
    s.voltage = in[0];
    s.current = in[1];
    s.throttle = in[2];
    s.temperature = in[3];
    s.rpmPeriod = static_cast<std::uint16_t>((in[4] << 8) | in[5]);
    return s;
}

GeneratedMemory GenerateLoggerMemory(const MemoryPlan& plan) {
    if (plan.flights.size() > static_cast<std::size_t>(kMemoryMaxFlights)) {
        throw std::invalid_argument("a logger stores at most 16 flights");
    }
    for (int n : plan.flights) {
        if (n < 0) {
            throw std::invalid_argument("a flight cannot have a negative sample count");
        }
    }
    const std::size_t size = static_cast<std::size_t>(plan.lastAddress) + 1;
    if (size < kRecordStart + kSampleSize || size % kSampleSize != 0) {
        throw std::invalid_argument("last address " + std::to_string(plan.lastAddress) +
                                    " does not leave a sample area of whole samples");
    }

    GeneratedMemory out;
    out.bytes.assign(size, 0xFF);
    std::fill(out.bytes.begin(), out.bytes.begin() + kHeaderSize, 0);

    // Sample positions count from address 64. The ring turns over exactly as
    // the host unwinds it: after a whole sample, once past the last address.
    const std::size_t ringLast = plan.lastAddress - kRecordStart;
    // Without cycle recording the logger stops when full; an end address must
    // still fit 16 bits.
    const std::size_t linearLimit =
        std::min<std::size_t>(size - kRecordStart, 0xFFFF - kRecordStart);
    std::size_t p = 0;
    bool full = false;

    for (std::size_t i = 0; i < plan.flights.size() && !full; ++i) {
        const std::uint32_t seed = FlightSeed(plan.seed, i);
        const std::vector<Sample> samples =
            plan.motors.empty()
                ? GenerateFlight(plan.flights[i], seed, plan.troubled)
                : GenerateMotorFlight(plan.flights[i], seed,
                                      plan.motors[std::min(i, plan.motors.size() - 1)]);
        std::vector<Sample> written;
        written.reserve(samples.size());
        for (const Sample& s : samples) {
            if (!plan.cycleRecording && p + kSampleSize > linearLimit) {
                full = true;
                break;
            }
            EncodeSample(s, out.bytes.data() + kRecordStart + p);
            written.push_back(s);
            p += kSampleSize;
            if (plan.cycleRecording && p > ringLast) {
                p = 0;
            }
        }
        if (full && written.empty()) {
            break;  // nothing of this flight fitted: it was never recorded
        }
        out.endAddresses.push_back(static_cast<std::uint16_t>(kRecordStart + p));
        out.flights.push_back(std::move(written));
    }

    PutHigh16(out.bytes, kHdrLastAddress, plan.lastAddress);
    PutHigh16(out.bytes, kHdrFirstAddress, kRecordStart);
    out.bytes[kHdrCycle] = plan.cycleRecording ? 1 : 0;
    out.bytes[kHdrRate] = plan.samplingRate;
    out.bytes[kHdrFlightCount] = static_cast<std::uint8_t>(out.endAddresses.size());
    for (std::size_t i = 0; i < out.endAddresses.size(); ++i) {
        PutHigh16(out.bytes, kHdrEndAddresses + 2 * i, out.endAddresses[i]);
        if (i > 0 && out.endAddresses[i] < out.endAddresses[i - 1]) {
            out.wrapped = true;
        }
    }
    return out;
}

bool AppendFlight(Bytes& memory, int samples, std::uint32_t seed) {
    if (memory.size() < kRecordStart + kSampleSize || samples <= 0) {
        return false;
    }
    const auto high16 = [&memory](std::size_t offset) {
        return static_cast<std::size_t>((memory[offset] << 8) | memory[offset + 1]);
    };
    const std::size_t count = memory[kHdrFlightCount];
    if (count >= static_cast<std::size_t>(kMemoryMaxFlights)) {
        return false;
    }
    const std::size_t last = std::min(high16(kHdrLastAddress), memory.size() - 1);
    const bool cycle = memory[kHdrCycle] != 0;
    const std::size_t ringLast = last - kRecordStart;
    const std::size_t linearLimit =
        std::min<std::size_t>(last + 1 - kRecordStart, 0xFFFF - kRecordStart);
    std::size_t p = count == 0 ? 0 : high16(kHdrEndAddresses + 2 * (count - 1)) - kRecordStart;
    std::size_t written = 0;
    for (const Sample& s : GenerateFlight(samples, FlightSeed(seed, count))) {
        if (!cycle && p + kSampleSize > linearLimit) {
            break;
        }
        EncodeSample(s, memory.data() + kRecordStart + p);
        ++written;
        p += kSampleSize;
        if (cycle && p > ringLast) {
            p = 0;
        }
    }
    if (written == 0) {
        return false;
    }
    PutHigh16(memory, kHdrEndAddresses + 2 * count, static_cast<std::uint16_t>(kRecordStart + p));
    memory[kHdrFlightCount] = static_cast<std::uint8_t>(count + 1);
    return true;
}

MemoryPlan NormalMemoryPlan() {
    MemoryPlan plan;
    plan.lastAddress = 0x1FFF;
    plan.cycleRecording = false;
    plan.samplingRate = 5;
    // 950 samples: 7600 bytes to upload, 14 whole blocks and one of 432 bytes.
    plan.flights = {380, 40, 300, 230};
    return plan;
}

MemoryPlan WrappedMemoryPlan() {
    MemoryPlan plan;
    plan.lastAddress = 0x1FFF;
    plan.cycleRecording = true;
    plan.samplingRate = 5;
    // 1150 samples in a ring of 1016: the last flight runs over the end and
    // continues at address 64.
    plan.flights = {400, 300, 450};
    return plan;
}

MemoryPlan EmptyMemoryPlan() {
    MemoryPlan plan;
    plan.lastAddress = 0x1FFF;
    plan.samplingRate = 5;
    return plan;
}

}  // namespace tavix::sim

namespace tavix::sim {

MemoryPlan TroubledMemoryPlan() {
    MemoryPlan plan = NormalMemoryPlan();
    plan.troubled = true;
    return plan;
}

}  // namespace tavix::sim

namespace tavix::sim {

MemoryPlan MotorMemoryPlan() {
    MemoryPlan plan;
    plan.lastAddress = 0x1FFF;
    plan.samplingRate = 5;
    plan.flights = {240, 240, 240, 240};
    const MotorSpec healthy;
    MotorSpec damaged = healthy;
    damaged.kv = healthy.kv * 0.92;
    plan.motors = {healthy, healthy, healthy, damaged};
    return plan;
}

}  // namespace tavix::sim
