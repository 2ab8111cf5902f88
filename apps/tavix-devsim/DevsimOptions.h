#pragma once
// tavix-devsim's command line: which device to play, its logger memory and
// the faults of its line.

#include <optional>
#include <string>
#include <vector>

#include "sim/LoggerMemory.h"
#include "sim/SimDevice.h"

namespace tavix::sim {

struct DevsimOptions {
    Series series = Series::Tarrow;
    std::optional<std::string> memory;  // normal, wrapped, empty, troubled or motor
    // --motor: the motor flights' motor (the motor memory, every flight).
    std::optional<MotorSpec> motor;
    SimFaults faults;
    bool verbose = false;
    bool help = false;
    std::string error;  // non-empty: a usage error
};

extern const char* const kDevsimUsage;

// `args` without the program name.
DevsimOptions ParseDevsimOptions(const std::vector<std::string>& args);

}  // namespace tavix::sim
