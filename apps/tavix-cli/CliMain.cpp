#include <algorithm>
#include <ostream>
#include <string_view>

#include "Commands.h"
#include "base/OutsideText.h"
#include "config/ConfigLocation.h"
#include "platform/GbkText.h"
#include "records/CTavixDoc.h"

namespace tavix::cli {

namespace {

const Command* const kCommands[] = {
    &kIdentifyCommand, &kUploadCommand,  &kInfoCommand,   &kLoggerCommand, &kClearCommand,
    &kFirmwareCommand, &kLogbookCommand, &kImageCommand,  &kCsvCommand,    &kEscCommand,
    &kPortsCommand,    &kDoctorCommand,  &kEventsCommand, &kPacksCommand,  &kCompareCommand,
    &kMotorCommand,    &kMapCommand,
};

// Every command that reads settings finds them the same way, told once here
// below the command's own options.
constexpr const char* kConfigOptionHelp =
    "\n"
    "  --config FILE  the settings file; without it ./config.ini, else the user's\n"
    "                 own (in $XDG_CONFIG_HOME/Tavix, made from the shipped one)\n";

void PrintUsage(std::ostream& out) {
    out << "Usage: tavix-cli <command> [options]\n\nCommands:\n";
    PrintCommandList(out, kCommands);
    out << "\n'tavix-cli <command> --help' tells more. Exit status: 0 success, 1 when the\n"
           "device, a file or the input says no (the reason on stderr), 2 for a usage error.\n";
}

int Run(const Command& command, const Args& args, const Io& io) {
    const ParsedArgs parsed = ParseArgs(args, command.options);
    const Invocation call{command, parsed, io};
    if (parsed.help) {
        io.out << command.usage;
        const bool readsSettings =
            std::any_of(command.options.begin(), command.options.end(),
                        [](const OptionRule& rule) { return rule.name == "--config"; });
        if (readsSettings) {
            io.out << kConfigOptionHelp;
        }
        return kExitOk;
    }
    if (!parsed.error.empty()) {
        return call.UsageError(parsed.error);
    }
    if (parsed.positional.size() < command.minPositional) {
        return call.UsageError(command.missingPositional ? command.missingPositional
                                                         : "an argument is missing");
    }
    if (parsed.positional.size() > command.maxPositional) {
        return call.UsageError("unexpected argument " + parsed.positional[command.maxPositional]);
    }
    return command.run(call);
}

}  // namespace

void PrintCommandList(std::ostream& out, std::span<const Command* const> commands) {
    // The summaries start in one column: two blanks past the longest name,
    // and never left of the tenth.
    std::size_t width = 8;
    for (const Command* c : commands) {
        width = std::max(width, std::string_view(c->name).size());
    }
    for (const Command* c : commands) {
        const std::string_view name(c->name);
        out << "  " << name << std::string(width + 2 - name.size(), ' ') << c->summary << '\n';
    }
}

int Invocation::UsageError(const std::string& problem) const {
    // The problem may quote an argument: its control characters are shown, not sent.
    io.err << "tavix-cli " << command.name << ": " << EscapeControls(problem) << "\n\n"
           << command.usage;
    return kExitUsage;
}

std::string Invocation::SettingsPath() const {
    const ConfigChoice choice = ChooseConfigFile(SystemConfigPlaces(args.Get("--config")));
    if (!choice.error.empty()) {
        io.err << "tavix-cli: can't make the settings file " << choice.path
               << " from the default: " << choice.error << '\n';
    } else if (!choice.madeFrom.empty()) {
        io.err << "tavix-cli: made the settings file " << choice.path << " from " << choice.madeFrom
               << '\n';
    } else if (choice.userFile) {
        io.err << "tavix-cli: settings from " << choice.path << '\n';
    }
    return choice.path;
}

std::unique_ptr<Settings> Invocation::LoadSettings(StreamPrompt& prompt) const {
    return cli::LoadSettings(SettingsPath(), prompt, io);
}

std::unique_ptr<Settings> Invocation::OpenRecord(StreamPrompt& prompt, const std::string& path,
                                                 RecordForm& form) const {
    auto settings = LoadSettings(prompt);
    if (!settings) {
        return nullptr;
    }
    std::string message;
    if (!settings->doc.OnOpenDocument(path, form, message)) {
        prompt.Message(message, PromptIcon::Exclamation);
        return nullptr;
    }
    PrintRecordWarning(io, form.warning);
    return settings;
}

bool Invocation::ReadFolder(StreamPrompt& prompt, const std::string& folder,
                            std::vector<LogbookEntry>& entries) const {
    const auto settings = LoadSettings(prompt);
    if (!settings) {
        return false;
    }
    LogbookReader reader(settings->ini, settings->config.smoothing);
    std::string error;
    if (!ReadLogbook(folder, reader, entries, error)) {
        prompt.Message(error, PromptIcon::Exclamation);
        return false;
    }
    return true;
}

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
    for (const Command* c : kCommands) {
        if (name == c->name) {
            return Run(*c, Args(args.begin() + 1, args.end()), io);
        }
    }
    io.err << "tavix-cli: unknown command '" << name << "'\n\n";
    PrintUsage(io.err);
    return kExitUsage;
}

}  // namespace tavix::cli
