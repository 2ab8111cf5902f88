#pragma once
// The flight data logger's memory, built by a deterministic generator.
//
// Layout (every multi-byte value high byte first):
//   0..63    header: 16-17 last address, 18-19 first record address (64),
//            20 cycle recording, 21 (0), 22 sampling rate, 23 (0),
//            31 flight count, 32-63 sixteen flight end addresses
//   64..last samples, 8 bytes each, back to back in recording order
// Flight i runs from the end of flight i-1 (64 for flight 0) up to its own
// end address, exclusive. With cycle recording the sample area is a ring: a
// flight that reaches past the last address continues at 64, over the oldest
// samples, and its end address is then lower than its start. Without cycle
// recording the logger stops when the memory is full.
//
// Memory the logger never wrote reads 0xFF, as erased flash does.

#include <cstdint>
#include <vector>

#include "link/SerialBackend.h"

namespace tavix::sim {

inline constexpr std::uint16_t kRecordStart = 64;
inline constexpr std::size_t kHeaderSize = 64;
inline constexpr std::size_t kSampleSize = 8;
inline constexpr int kMemoryMaxFlights = 16;

// Header offsets.
inline constexpr std::size_t kHdrLastAddress = 16;
inline constexpr std::size_t kHdrFirstAddress = 18;
inline constexpr std::size_t kHdrCycle = 20;
inline constexpr std::size_t kHdrRate = 22;
inline constexpr std::size_t kHdrFlightCount = 31;
inline constexpr std::size_t kHdrEndAddresses = 32;

// One logger sample. Temperature and RPM period 0 mean "no reading".
struct Sample {
    std::uint8_t voltage = 0;
    std::uint8_t current = 0;
    std::uint8_t throttle = 0;
    std::uint8_t temperature = 0;
    std::uint16_t rpmPeriod = 0;  // rotation period, stored high byte first

    bool operator==(const Sample&) const = default;
};

// Bytes 0-5 as described, 6-7 zero.
void EncodeSample(const Sample& sample, std::uint8_t* out);
Sample DecodeSample(const std::uint8_t* in);

// A motor with its propeller on a pack, for flights that show what the motor
// estimates read: the motor turns at rpm = Kv (Vm - Im Rm), the propeller
// takes k (rpm / 1000)^3 watts, and the pack sags with the current it gives.
struct MotorSpec {
    double kv = 920.0;       // rpm per volt
    double rmOhm = 0.08;     // winding resistance
    double propK = 0.16;     // watts per (1000 rpm)^3
    int cells = 4;           // LiPo cells in series
    double packOhm = 0.025;  // pack and leads

    bool operator==(const MotorSpec&) const = default;
};

struct MemoryPlan {
    // Last address of the memory; the memory is lastAddress + 1 bytes and the
    // sample ring must hold whole samples, so lastAddress + 1 is a multiple of 8.
    std::uint16_t lastAddress = 0x1FFF;
    bool cycleRecording = false;
    std::uint8_t samplingRate = 5;  // samples per second
    std::vector<int> flights;       // samples per flight, in recording order (at most 16)
    std::uint32_t seed = 2014;
    bool troubled = false;  // flights with events to find (GenerateFlight)
    // When not empty, flight i is a motor flight (GenerateMotorFlight) of
    // motors[i], or of the last motor for the flights after it.
    std::vector<MotorSpec> motors;
};

struct GeneratedMemory {
    Bytes bytes;                              // addresses 0..lastAddress
    std::vector<std::uint16_t> endAddresses;  // as in the header, one per recorded flight
    // Every recorded flight's samples as they were written (a flight later
    // overwritten by the ring keeps its samples here). A flight cut short by
    // a full memory holds only what was written.
    std::vector<std::vector<Sample>> flights;
    bool wrapped = false;  // some end address is lower than its predecessor
};

// Builds the memory. Throws std::invalid_argument for more than 16 flights, a
// negative sample count, or a last address that does not fit the layout.
GeneratedMemory GenerateLoggerMemory(const MemoryPlan& plan);

// Samples of one believable flight: throttle sweeps, battery sag under load,
// current spikes, temperature rise, RPM following throttle and voltage, and
// now and then a sensor without a reading. The same (count, seed) always gives
// the same flight. A `troubled` flight shows what the flight events look for:
// a worn pack sagging below 3.3 V per cell late in the flight, a motor running
// hot for a stretch, a moment of lost sync, and steady throttle steps from
// which the pack's resistance can be read.
std::vector<Sample> GenerateFlight(int count, std::uint32_t seed, bool troubled = false);

// Samples of a flight flown with `motor`: on the ground, then throttle held
// at levels between 25 and 95 % for 2 to 4 s each with quick moves between
// them, then the landing. The ESC's duty cycle gives the motor Vm = Vbattery x
// throttle and the battery Ibattery = Im x throttle; the logger's readings
// carry a little noise and its steps (0.1 V, 0.5 A, 0.5 %, the RPM period).
std::vector<Sample> GenerateMotorFlight(int count, std::uint32_t seed, const MotorSpec& motor);

// A pilot flies once more: a flight of `samples` samples (GenerateFlight with
// `seed`) is recorded after the last one, as the logger records it: on into
// the ring with cycle recording, cut where a full memory stops it without.
// The header's count and end address follow. False, the memory unchanged,
// when the logger already holds 16 flights or nothing of the flight fits.
bool AppendFlight(Bytes& memory, int samples, std::uint32_t seed);

// The demo memories.
// Normal: four flights, one of them too short to keep (40 samples), filling
// most of an 8 KB memory; the bytes to upload are not a multiple of 512.
MemoryPlan NormalMemoryPlan();
// Wrapped: cycle recording, and the last flight continues at 64 after the end.
MemoryPlan WrappedMemoryPlan();
// Empty: a cleared logger (flight count 0).
MemoryPlan EmptyMemoryPlan();
// Troubled: the normal memory's flights, each a troubled one.
MemoryPlan TroubledMemoryPlan();
// Motor: four flights of 48 s of one motor (Kv 920, 80 mOhm, k 0.16 on 4S),
// the last after its magnets were heat-damaged (Kv down 8 %).
MemoryPlan MotorMemoryPlan();

}  // namespace tavix::sim
