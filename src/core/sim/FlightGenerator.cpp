// Believable flights for the simulated logger.
//
// The flight is modelled in physical units and stored in the logger's raw
// steps as the default Tarrow profile reads them: 0.1 V, 0.5 A, 0.5 % throttle,
// 0.5 degree and an RPM period of 30 / (RPM x 14 poles x 1e-6). A flight
// starts on the ground (motor off: no RPM reading), climbs out, cruises with
// throttle sweeps and the odd full-throttle punch, then lands and idles. The
// battery sags under load and runs down with the charge used; the motor heats
// with current and cools towards the air temperature.
//
// The random numbers come from a small generator of our own, with no standard
// distribution in between, so a seed gives the same flight on every platform.

#include <algorithm>
#include <cmath>

#include "sim/LoggerMemory.h"

namespace tavix::sim {

namespace {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) {}

    // splitmix64
    std::uint64_t NextU64() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // [0, 1)
    double Unit() { return static_cast<double>(NextU64() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
    int Int(int lo, int hi) {
        return lo + static_cast<int>(NextU64() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    bool Chance(double p) { return Unit() < p; }

private:
    std::uint64_t state_;
};

constexpr double kPi = 3.14159265358979323846;
constexpr double kPoles = 14.0;

std::uint8_t ToByte(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

std::vector<Sample> GenerateFlight(int count, std::uint32_t seed, bool troubled) {
    std::vector<Sample> samples;
    if (count <= 0) {
        return samples;
    }
    samples.reserve(static_cast<std::size_t>(count));
    Random rng(seed);

    static constexpr int kCellChoices[] = {3, 4, 6};
    const int cells = kCellChoices[rng.Int(0, 2)];
    const double fullVolts = 4.18 * cells;
    // A troubled flight's pack is worn: it sags further under load and the
    // pilot flies it nearly flat.
    const double emptyVolts = (troubled ? 3.45 : 3.65) * cells;
    const double resistance = (troubled ? 0.011 : 0.0045) * cells;  // ohm, pack plus leads
    const double maxAmps = rng.Range(35.0, 70.0);
    const double kv = 2600.0 / cells * rng.Range(0.85, 1.15);  // RPM per volt, loaded
    const double airTemp = rng.Range(18.0, 30.0);
    const double cruise = rng.Range(45.0, 65.0);
    const double sweep = rng.Range(10.0, 20.0);
    const double sweepPeriod = rng.Range(40.0, 90.0);  // samples
    const double usualCharge = rng.Range(0.55, 0.8);   // share of the pack a full flight uses
    const double chargePerFlight = troubled ? 0.95 : usualCharge;

    const int groundStart = std::max(1, count / 20);
    const int climbEnd = groundStart + std::max(1, count / 10);
    const int landingStart = count - std::max(1, count / 10);
    const int groundEnd = count - std::max(1, count / 25);

    // A troubled flight loses sync for 2 samples in the middle of a stretch
    // at the higher throttle, three quarters into the flight.
    constexpr int kStretch = 15;  // samples of one throttle step
    const int syncLoss =
        climbEnd + kStretch * (2 * std::max(0, (count * 3 / 4 - climbEnd) / (2 * kStretch)) + 1) +
        7;

    double used = 0.0;  // share of the charge used so far
    double temp = airTemp;
    double throttle = 0.0;
    int punch = 0;        // samples of full throttle left
    int tempDropout = 0;  // samples without a temperature reading left
    const double chargeStep = chargePerFlight / (maxAmps * 0.45 * count);

    for (int j = 0; j < count; ++j) {
        double target;
        if (j < groundStart || j >= groundEnd) {
            target = 0.0;
        } else if (j < climbEnd) {
            target = cruise + 20.0 * (j - groundStart) / std::max(1, climbEnd - groundStart);
        } else if (j < landingStart && troubled) {
            // Steady stretches of 3 s between two throttle levels: clean current
            // steps, from which the pack's resistance can be read.
            target = ((j - climbEnd) / kStretch) % 2 == 0 ? 45.0 : 75.0;
        } else if (j < landingStart) {
            target = cruise + sweep * std::sin(2.0 * kPi * j / sweepPeriod) + rng.Range(-4.0, 4.0);
            if (punch == 0 && rng.Chance(0.01)) {
                punch = rng.Int(3, 8);
            }
            if (punch > 0) {
                target = 100.0;
                --punch;
            }
        } else {
            const double left =
                static_cast<double>(groundEnd - j) / std::max(1, groundEnd - landingStart);
            target = 15.0 + (cruise - 15.0) * left;
        }
        // The pilot's hand (and the ESC's ramp) does not jump.
        throttle += std::clamp(target - throttle, -25.0, 25.0);
        throttle = std::clamp(throttle, 0.0, 100.0);

        const bool running = throttle >= 3.0;
        double amps = running ? maxAmps * std::pow(throttle / 100.0, 1.5) : 0.3;
        if (running && troubled) {
            amps *= rng.Range(0.995, 1.005);
        } else if (running) {
            amps *= rng.Range(0.94, 1.06);
            if (rng.Chance(0.02)) {
                amps *= rng.Range(1.2, 1.45);  // gusts and quick stick moves
            }
        }
        used = std::min(1.0, used + amps * chargeStep);
        const double restVolts = fullVolts - (fullVolts - emptyVolts) * used;
        const double volts = restVolts - amps * resistance + rng.Range(-0.05, 0.05);

        // Heating with the square of the current, cooling with the airflow.
        temp += 0.0009 * amps * amps / cells - 0.02 * (temp - airTemp);
        // A troubled flight's motor overheats for a while mid-flight (a
        // blocked cooling duct), then cools again.
        if (troubled && j >= count * 45 / 100 && j < count * 60 / 100) {
            temp += 3.0;
        }
        temp = std::min(temp, 110.0);

        double rpm = running ? kv * volts * throttle / 100.0 * rng.Range(0.98, 1.02) : 0.0;
        // ... and the ESC loses sync for a moment late in the flight.
        if (troubled && j >= syncLoss && j < syncLoss + 2) {
            rpm *= 0.45;
        }

        Sample s;
        s.voltage = ToByte(volts * 10.0);
        s.current = ToByte(amps * 2.0);
        s.throttle = ToByte(throttle * 2.0);
        if (tempDropout == 0 && j > 0 && rng.Chance(0.004)) {
            tempDropout = rng.Int(1, 4);
        }
        if (tempDropout > 0) {
            s.temperature = 0;  // the sensor gave no reading
            --tempDropout;
        } else {
            s.temperature = ToByte(temp * 2.0);
        }
        if (rpm >= 300.0 && !rng.Chance(0.003)) {
            const double period = 30.0 / (rpm * kPoles * 1e-6);
            s.rpmPeriod = static_cast<std::uint16_t>(std::clamp(std::lround(period), 1L, 65535L));
        }
        samples.push_back(s);
    }
    return samples;
}

}  // namespace tavix::sim

namespace tavix::sim {

namespace {

// The motor's operating point on a given motor voltage: rpm = Kv (Vm - Im Rm)
// with the propeller's Im = k Kv rpm^2 / 10^9 (its shaft power k (rpm/1000)^3
// over the back-EMF rpm / Kv), a quadratic in rpm.
struct OperatingPoint {
    double rpm = 0.0;
    double amps = 0.0;
};

OperatingPoint Operate(const MotorSpec& motor, double vm) {
    const double c = motor.kv * motor.kv * motor.rmOhm * motor.propK / 1e9;
    const double rpm =
        c > 0.0 ? (std::sqrt(1.0 + 4.0 * c * motor.kv * vm) - 1.0) / (2.0 * c) : motor.kv * vm;
    return {rpm, motor.propK * motor.kv * rpm * rpm / 1e9};
}

}  // namespace

std::vector<Sample> GenerateMotorFlight(int count, std::uint32_t seed, const MotorSpec& motor) {
    std::vector<Sample> samples;
    if (count <= 0) {
        return samples;
    }
    samples.reserve(static_cast<std::size_t>(count));
    Random rng(seed);

    const double fullVolts = 4.18 * motor.cells;
    const double emptyVolts = 3.65 * motor.cells;
    const double airTemp = rng.Range(18.0, 30.0);
    // A full flight uses about 60 % of the pack at a mean of some 12 A.
    const double chargeStep = 0.6 / (12.0 * count);

    const int groundStart = std::max(1, count / 20);
    const int landingStart = count - std::max(1, count / 10);
    const int groundEnd = count - std::max(1, count / 25);

    double used = 0.0;
    double temp = airTemp;
    double throttle = 0.0;
    double level = 0.0;
    int held = 0;  // samples the current level has left
    double batteryAmps = 0.0;

    for (int j = 0; j < count; ++j) {
        double target;
        if (j < groundStart || j >= groundEnd) {
            target = 0.0;
        } else if (j < landingStart) {
            if (held == 0) {
                level = std::round(rng.Range(35.0, 95.0));
                held = rng.Int(10, 20);
            }
            --held;
            target = level;
        } else {
            const double left =
                static_cast<double>(groundEnd - j) / std::max(1, groundEnd - landingStart);
            target = 15.0 + (level - 15.0) * left;
        }
        throttle += std::clamp(target - throttle, -25.0, 25.0);
        throttle = std::clamp(throttle, 0.0, 100.0);
        // The ESC drives with the throttle the logger reads, in 0.5 % steps.
        const std::uint8_t throttleRaw = ToByte(throttle * 2.0);
        const double duty = throttleRaw / 200.0;

        const double restVolts = fullVolts - (fullVolts - emptyVolts) * used;
        double volts = restVolts - batteryAmps * motor.packOhm;
        OperatingPoint point;
        if (duty >= 0.03) {
            // The pack's sag lowers the motor's voltage, which lowers the
            // current: a few rounds settle both.
            for (int round = 0; round < 6; ++round) {
                point = Operate(motor, volts * duty);
                batteryAmps = point.amps * duty;
                volts = restVolts - batteryAmps * motor.packOhm;
            }
        } else {
            batteryAmps = 0.3;  // the ESC and the receiver
            volts = restVolts - batteryAmps * motor.packOhm;
        }
        used = std::min(1.0, used + batteryAmps * chargeStep);
        temp += 0.0009 * batteryAmps * batteryAmps / motor.cells - 0.02 * (temp - airTemp);
        temp = std::min(temp, 110.0);

        Sample s;
        s.voltage = ToByte((volts + rng.Range(-0.05, 0.05)) * 10.0);
        s.current = ToByte((batteryAmps + rng.Range(-0.25, 0.25)) * 2.0);
        s.throttle = throttleRaw;
        s.temperature = ToByte(temp * 2.0);
        const double rpm = point.rpm * rng.Range(0.997, 1.003);
        if (rpm >= 300.0) {
            const double period = 30.0 / (rpm * kPoles * 1e-6);
            s.rpmPeriod = static_cast<std::uint16_t>(std::clamp(std::lround(period), 1L, 65535L));
        }
        samples.push_back(s);
    }
    return samples;
}

}  // namespace tavix::sim
