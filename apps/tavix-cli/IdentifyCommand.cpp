// tavix-cli identify: what "Open Device ..." finds out about the device.
#include <ostream>

#include "Commands.h"
#include "DeviceSession.h"
#include "device/DeviceVersion.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli identify [--port PORT] [--config FILE]\n"
    "\n"
    "Identifies the device on the serial port as \"Open Device ...\" does: its\n"
    "version string, hardware code (characters 8-11), ESC series (Tarrow, Velmor,\n"
    "Ostrin, Peldan or unknown) and whether a flight data logger is attached.\n"
    "\n"
    "  --port PORT    a device path, COMn, or demo (the built-in simulated device);\n"
    "                 default: the port stored in config.ini\n";

}  // namespace

int RunIdentify(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    StreamPrompt prompt(io);
    const auto settings = call.LoadSettings(prompt);
    if (!settings) {
        return kExitRefused;
    }
    DeviceSession session(*settings, prompt, parsed.Get("--port"));
    const bool identified = session.Identify();
    const std::string& version = session.Identity().ReceivedVersion();
    if (!version.empty()) {
        io.out << "Version:       " << PrintableField(version) << '\n'
               << "Hardware code: " << PrintableField(HardwareCodeOf(version)) << '\n'
               << "Series:        " << SeriesName(SeriesOf(version)) << '\n'
               << "Logger:        " << (HasLogger(version) ? "attached" : "none") << '\n';
    }
    if (identified) {
        const std::string description = session.Identity().State().description;
        if (!description.empty()) {
            io.out << "Description:   " << PrintableField(description) << '\n';
        }
    }
    return identified ? kExitOk : kExitRefused;
}

const Command kIdentifyCommand{
    "identify", "identify the connected device (version, hardware, series, logger)",
    kUsage,     {{"--port"}, {"--config"}},
    0,          0,
    nullptr,    RunIdentify};

}  // namespace tavix::cli
