#include "shell/CommandLine.h"

#include <cstddef>
#include <set>

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

std::vector<std::string> WithoutWindowSystemOptions(const std::vector<std::string>& args) {
    // The window system's options, one dash; those in the first list take a value.
    static const std::set<std::string> withValue = {
        "-platform",    "-platformpluginpath", "-platformtheme", "-plugin",     "-qwindowgeometry",
        "-qwindowicon", "-qwindowtitle",       "-style",         "-stylesheet", "-session",
        "-display",     "-geometry",           "-name",          "-title",      "-visual"};
    static const std::set<std::string> alone = {"-reverse", "-widgetcount", "-nograb",
                                                "-dograb",  "-sync",        "-cmap"};
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            kept.insert(kept.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
        const std::string name = arg.substr(0, arg.find('='));
        if (withValue.count(name) != 0) {
            if (name == arg) {
                ++i;  // its value follows
            }
            continue;
        }
        if (alone.count(arg) != 0 || arg.rfind("-qmljsdebugger", 0) == 0) {
            continue;
        }
        kept.push_back(arg);
    }
    return kept;
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
