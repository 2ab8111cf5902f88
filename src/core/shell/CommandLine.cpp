#include "shell/CommandLine.h"

#include "shell/OptionParser.h"

namespace tavix {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    const ParsedArgs parsed = ParseArgs(args, {{"--port", true, "a device path, COMn or demo"}});
    CommandLine line;
    line.help = parsed.help;
    line.error = parsed.error;
    line.port = parsed.Get("--port");
    if (!line.error.empty()) {
        return line;
    }
    if (parsed.positional.size() > 1) {
        line.error = "only one record file can be opened, got '" + parsed.positional[0] +
                     "' and '" + parsed.positional[1] + "'";
    } else if (!parsed.positional.empty()) {
        line.file = parsed.positional[0];
    }
    return line;
}

std::string UsageText() {
    return "Usage: tavix [--port PATH|COMn|demo] [RECORD.dat]\n"
           "\n"
           "Host for brushless ESCs and their flight data logger.\n"
           "\n"
           "  --port PORT  use PORT for this run instead of the COM port stored in config.ini:\n"
           "               a device path (/dev/ttyUSB0, a pseudo-terminal), COMn (port number n)\n"
           "               or demo, the built-in simulated device\n"
           "  -h, --help   show this text and exit\n"
           "  RECORD.dat   a record file to open at start\n"
           "\n"
           "config.ini and res/home.bmp are read from the working directory.\n";
}

}  // namespace tavix
