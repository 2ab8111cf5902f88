#pragma once
// The program's command line: `tavix [--port PATH|COMn|demo] [--config FILE] [RECORD.dat]`.

#include <string>
#include <vector>

namespace tavix {

struct CommandLine {
    std::string port;    // --port: a device path, "COMn" or "demo"; empty: the stored port
    std::string config;  // --config: the settings file; empty: config.ini here
    std::string file;    // a record file to open at start
    bool help = false;   // --help / -h
    std::string error;   // non-empty: the line could not be understood (what was wrong)
};

// `args` without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// `args` without the options the window system takes for itself ("-platform
// NAME", "-style=NAME", "-reverse", ...), so that the program's own options
// can be checked before the window system starts (it may not, without a display).
std::vector<std::string> WithoutWindowSystemOptions(const std::vector<std::string>& args);

// The text printed for --help and after a usage error.
std::string UsageText();

}  // namespace tavix
