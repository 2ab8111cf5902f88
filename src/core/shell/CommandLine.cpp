#include "shell/CommandLine.h"

namespace tavix {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsDone && arg == "--") {
            optionsDone = true;
        } else if (!optionsDone && (arg == "--help" || arg == "-h")) {
            line.help = true;
        } else if (!optionsDone && arg == "--port") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                line.error = "--port needs a value: a device path, COMn or demo";
                return line;
            }
            line.port = args[++i];
        } else if (!optionsDone && arg.rfind("--port=", 0) == 0) {
            line.port = arg.substr(7);
            if (line.port.empty()) {
                line.error = "--port needs a value: a device path, COMn or demo";
                return line;
            }
        } else if (!optionsDone && arg.size() > 1 && arg[0] == '-') {
            line.error = "unknown option '" + arg + "'";
            return line;
        } else if (line.file.empty()) {
            line.file = arg;
        } else {
            line.error =
                "only one record file can be opened, got '" + line.file + "' and '" + arg + "'";
            return line;
        }
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
