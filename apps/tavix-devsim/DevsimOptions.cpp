#include "DevsimOptions.h"

#include <charconv>
#include <cmath>

#include "shell/OptionParser.h"

namespace tavix::sim {

const char* const kDevsimUsage =
    "Usage: tavix-devsim [options]\n"
    "Serves a simulated device on a pseudo-terminal and prints its path.\n"
    "Signal USR1 swaps the ESC for one of the next series on the same line.\n"
    "Signal USR2 flies once more: the logger records a new flight of 300 samples\n"
    "after the last one (kill -USR2 PID).\n"
    "Signal HUP unplugs the ESC (it goes silent) and plugs it in again.\n"
    "\n"
    "Device:\n"
    "  --device tarrow|velmor|ostrin|peldan   ESC series (default tarrow, the one with a logger)\n"
    "  --memory normal|wrapped|empty|troubled|motor\n"
    "                         logger memory (default normal; troubled: flights with a\n"
    "                         low pack, heat and lost sync; motor: four flights of one\n"
    "                         motor, Kv 920, 80 mOhm, k 0.16, the last with its magnets\n"
    "                         heat-damaged, Kv 8 % down)\n"
    "  --motor KV,RM,K        the motor flights' motor instead: Kv (rpm/V), winding\n"
    "                         resistance (ohm) and propeller constant (W per 1000 rpm\n"
    "                         cubed), e.g. 920,0.08,0.16; every flight flies it\n"
    "Faults:\n"
    "  --silent               never answer\n"
    "  --bad-crc              answer with a wrong CRC\n"
    "  --wrong-command        answer with a wrong command byte\n"
    "  --pieces N             send each reply in N pieces\n"
    "  --byte-by-byte         send each reply one byte at a time\n"
    "  --stray N              put N noise bytes in front of each reply\n"
    "  --delay MS             wait MS milliseconds before each reply\n"
    "  --disconnect-after N   stop answering after N record blocks\n"
    "  --disconnect-after-firmware N\n"
    "                         stop answering after N firmware blocks\n"
    "  --keep-old-block       acknowledge a parameter-block write but keep the old block\n"
    "                         (an ESC whose flash write failed)\n"
    "  --lose-request N       lose the Nth request and send the reply before it again, late\n"
    "  --pace                 960 bytes/s, like a 9600-baud line\n"
    "Other:\n"
    "  --verbose              log every request and reply on stderr\n"
    "  --help                 show this text\n";

namespace {

// A whole non-negative decimal number within [min, max].
std::optional<int> Number(const std::string& text, int min, int max) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

// "KV,RM,K" with a decimal point: Kv and k above 0, Rm 0 or more.
std::optional<MotorSpec> MotorFromText(const std::string& text) {
    double values[3] = {};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 3; ++i) {
        const auto [next, ec] = std::from_chars(at, end, values[i]);
        if (ec != std::errc() || !std::isfinite(values[i]) || (next != end && *next != ',') ||
            (i < 2) == (next == end)) {
            return std::nullopt;
        }
        at = next + (next == end ? 0 : 1);
    }
    if (values[0] <= 0.0 || values[1] < 0.0 || values[2] <= 0.0) {
        return std::nullopt;
    }
    MotorSpec motor;
    motor.kv = values[0];
    motor.rmOhm = values[1];
    motor.propK = values[2];
    return motor;
}

struct NumberOption {
    const char* name;
    int min;
    int max;
    int SimFaults::*target;
};

constexpr NumberOption kNumberOptions[] = {
    {"--pieces", 1, 65535, &SimFaults::pieces},
    {"--stray", 0, 1024, &SimFaults::strayBytes},
    {"--delay", 0, 600000, &SimFaults::delayMs},
    {"--disconnect-after", 0, 65535, &SimFaults::disconnectAfterBlocks},
    {"--disconnect-after-firmware", 0, 65535, &SimFaults::disconnectAfterFirmwareBlocks},
    {"--lose-request", 1, 1000000, &SimFaults::loseRequest},
};

struct FlagOption {
    const char* name;
    bool SimFaults::*target;
};

constexpr FlagOption kFlagOptions[] = {
    {"--silent", &SimFaults::silent},
    {"--bad-crc", &SimFaults::badCrc},
    {"--wrong-command", &SimFaults::wrongCommand},
    {"--byte-by-byte", &SimFaults::byteByByte},
    {"--pace", &SimFaults::pace},
    {"--keep-old-block", &SimFaults::keepParamBlock},
};

}  // namespace

DevsimOptions ParseDevsimOptions(const std::vector<std::string>& args) {
    std::vector<OptionRule> rules = {{"--device"}, {"--memory"}, {"--motor"}, {"--verbose", false}};
    for (const NumberOption& o : kNumberOptions) {
        rules.push_back({o.name});
    }
    for (const FlagOption& o : kFlagOptions) {
        rules.push_back({o.name, false});
    }
    const ParsedArgs parsed = ParseArgs(args, rules);
    DevsimOptions options;
    options.help = parsed.help;
    options.error = parsed.error;
    if (!options.error.empty()) {
        return options;
    }
    if (!parsed.positional.empty()) {
        options.error = "unknown option '" + parsed.positional.front() + "'";
        return options;
    }
    if (parsed.Has("--device")) {
        const std::string text = parsed.Get("--device");
        const auto series = SeriesFromName(text);
        if (!series) {
            options.error = "unknown device '" + text + "' (" + ProfileNames(", ") + ")";
            return options;
        }
        options.series = *series;
    }
    if (parsed.Has("--memory")) {
        const std::string text = parsed.Get("--memory");
        if (text != "normal" && text != "wrapped" && text != "empty" && text != "troubled" &&
            text != "motor") {
            options.error =
                "unknown memory '" + text + "' (normal, wrapped, empty, troubled, motor)";
            return options;
        }
        options.memory = text;
    }
    if (parsed.Has("--motor")) {
        options.motor = MotorFromText(parsed.Get("--motor"));
        if (!options.motor) {
            options.error =
                "--motor wants KV,RM,K (e.g. 920,0.08,0.16), not '" + parsed.Get("--motor") + "'";
            return options;
        }
    }
    options.verbose = parsed.Has("--verbose");
    for (const FlagOption& o : kFlagOptions) {
        if (parsed.Has(o.name)) {
            options.faults.*o.target = true;
        }
    }
    for (const NumberOption& o : kNumberOptions) {
        if (!parsed.Has(o.name)) {
            continue;
        }
        const std::string text = parsed.Get(o.name);
        const auto n = Number(text, o.min, o.max);
        if (!n) {
            options.error = std::string(o.name) + " takes a whole number from " +
                            std::to_string(o.min) + " to " + std::to_string(o.max) + ", not '" +
                            text + "'";
            return options;
        }
        options.faults.*o.target = *n;
    }
    return options;
}

}  // namespace tavix::sim
