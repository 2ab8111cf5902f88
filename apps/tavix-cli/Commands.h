#pragma once
// The commands of tavix-cli: one table, one row per command. A row carries
// the command's name, its line in the command list, its usage text, the
// options it accepts and how many positional arguments it takes; the table
// parses the command line, answers --help and reports usage errors, so a
// command's function starts with arguments that fit its row.

#include <cstddef>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "CliCommon.h"
#include "records/Logbook.h"
#include "records/RecordFile.h"

namespace tavix::cli {

using Args = std::vector<std::string>;

struct Invocation;

struct Command {
    const char* name;
    const char* summary;  // its line in `tavix-cli --help`
    const char* usage;    // `tavix-cli <name> --help`
    std::vector<OptionRule> options;
    std::size_t minPositional = 0;
    std::size_t maxPositional = 0;
    // What to say when fewer positional arguments came (e.g. "which record file?").
    const char* missingPositional = nullptr;
    int (*run)(const Invocation& call) = nullptr;
};

// One run of a command, its arguments already checked against its row.
struct Invocation {
    const Command& command;
    const ParsedArgs& args;
    const Io& io;

    // Prints "tavix-cli <command>: <problem>" and the usage; returns kExitUsage.
    int UsageError(const std::string& problem) const;
    // The settings file of this run: the --config file, else ./config.ini,
    // else the user's own (made from the shipped default the first time),
    // which is then named on standard error, so that the user knows which
    // file the run read and the results on standard output stay as they are.
    std::string SettingsPath() const;
    // config.ini as the window loads it, from SettingsPath(). On failure the
    // reason is printed and the result is nullptr.
    std::unique_ptr<Settings> LoadSettings(StreamPrompt& prompt) const;
    // The settings with the record file `path` opened as the window opens it;
    // a warning about its values goes to standard error. On failure the reason
    // is printed and the result is nullptr.
    std::unique_ptr<Settings> OpenRecord(StreamPrompt& prompt, const std::string& path,
                                         RecordForm& form) const;
    // Every record file of `folder`, read as the logbook reads them; false,
    // the reason printed, when the folder cannot be read.
    bool ReadFolder(StreamPrompt& prompt, const std::string& folder,
                    std::vector<LogbookEntry>& entries) const;
};

// The rows, each defined beside its function.
extern const Command kIdentifyCommand;
extern const Command kUploadCommand;
extern const Command kInfoCommand;
extern const Command kLoggerCommand;
extern const Command kClearCommand;
extern const Command kFirmwareCommand;
extern const Command kLogbookCommand;
extern const Command kEventsCommand;
extern const Command kPacksCommand;
extern const Command kMotorCommand;
extern const Command kMapCommand;
extern const Command kCompareCommand;
// Draws with Qt Widgets: needs a QApplication (the offscreen platform will do).
extern const Command kImageCommand;
extern const Command kCsvCommand;
extern const Command kEscCommand;
extern const Command kPortsCommand;
extern const Command kDoctorCommand;

// The lines of `commands` in `tavix-cli --help`: name, then summary.
void PrintCommandList(std::ostream& out, std::span<const Command* const> commands);

// The whole command line (without the program name): picks the command.
int RunCli(const Args& args, const Io& io);

}  // namespace tavix::cli
