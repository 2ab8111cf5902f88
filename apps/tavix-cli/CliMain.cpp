#include <ostream>

#include "Commands.h"

namespace tavix::cli {

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const Args&, const Io&);
};

constexpr Command kCommands[] = {
    {"identify", "identify the connected device (version, hardware, series, logger)", RunIdentify},
    {"upload", "upload the logger's flights into record files (.dat)", RunUpload},
    {"info", "show the header, channels and statistics of a record file", RunInfo},
    {"logger", "read or write the logger's cycle recording and sampling rate", RunLogger},
    {"clear", "clear the flights stored in the logger", RunClear},
    {"firmware", "check a firmware file (.Dlc) or flash it into the ESC", RunFirmware},
    {"logbook", "list the record files of a folder with their key figures", RunLogbook},
    {"image", "save the record page of a record file as an image (png, jpg, bmp, gif)", RunImage},
    {"csv", "write a record file as CSV text, as \"Save As CSV\" does", RunCsv},
    {"esc", "read or write the ESC's parameters (read | write NAME=VALUE...)", RunEsc},
};

void PrintUsage(std::ostream& out) {
    out << "Usage: tavix-cli <command> [options]\n\nCommands:\n";
    for (const Command& c : kCommands) {
        out << "  " << c.name << std::string(10 - std::string(c.name).size(), ' ') << c.summary
            << '\n';
    }
    out << "\n'tavix-cli <command> --help' tells more. Exit status: 0 success, 1 when the\n"
           "device, a file or the input says no (the reason on stderr), 2 for a usage error.\n";
}

}  // namespace

int RunCli(const Args& args, const Io& io) {
    if (args.empty()) {
        PrintUsage(io.err);
        return kExitUsage;
    }
    const std::string& name = args.front();
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(io.out);
        return kExitOk;
    }
    for (const Command& c : kCommands) {
        if (name == c.name) {
            return c.run(Args(args.begin() + 1, args.end()), io);
        }
    }
    io.err << "tavix-cli: unknown command '" << name << "'\n\n";
    PrintUsage(io.err);
    return kExitUsage;
}

}  // namespace tavix::cli
