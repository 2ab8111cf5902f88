#include <ostream>

#include "Commands.h"
#include "platform/GbkText.h"

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
    InstallPathText();
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
