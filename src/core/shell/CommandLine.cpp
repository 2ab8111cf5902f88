#include "shell/CommandLine.h"

#include <cstddef>
#include <set>

#include "shell/OptionParser.h"

namespace tavix {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    const ParsedArgs parsed = ParseArgs(args, {{"--port", true, "a device path, COMn or demo"},
                                               {"--config", true, "a settings file"}});
    CommandLine line;
    line.help = parsed.help;
    line.error = parsed.error;
    line.port = parsed.Get("--port");
    line.config = parsed.Get("--config");
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
    return "Usage: tavix [--port PATH|COMn|demo] [--config FILE] [RECORD.dat]\n"
           "\n"
           "Host for brushless ESCs and their flight data logger.\n"
           "\n"
           "  --port PORT  use PORT for this run instead of the COM port stored in config.ini:\n"
           "               a device path (/dev/ttyUSB0, a pseudo-terminal), COMn (port number n)\n"
           "               or demo, the built-in simulated device\n"
           "  --config FILE  the settings file (default: ./config.ini when there is one,\n"
           "               else the user's own, made from the shipped one the first time)\n"
           "  -h, --help   show this text and exit\n"
           "  RECORD.dat   a record file to open at start\n"
           "\n"
           "res/home.bmp is read from the working directory.\n";
}

}  // namespace tavix
