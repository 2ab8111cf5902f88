// tavix-cli logbook: every record file of a folder on one line each.
#include <ostream>

#include "Commands.h"
#include "records/Logbook.h"
#include "records/SettingsGroups.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli logbook FOLDER [--by-settings] [--csv] [--config FILE]\n"
    "\n"
    "Lists every record file (.dat) of FOLDER, sorted by date: date and time,\n"
    "device version, duration, samples per second, maximum current, minimum\n"
    "voltage, maximum temperature, maximum RPM, capacity drawn (mAh) and the\n"
    "note. Files that cannot be opened are listed last with the reason.\n"
    "\n"
    "  --by-settings  the flights in the order flown, grouped by the ESC settings\n"
    "                 they flew with: per group its flights, mean duration, mean\n"
    "                 mAh, highest temperature, mean peak current and the\n"
    "                 settings changed from the group before\n"
    "  --csv          comma-separated values instead of a table\n";

}  // namespace

int RunLogbook(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    StreamPrompt prompt(io);
    std::vector<LogbookEntry> entries;
    if (!call.ReadFolder(prompt, parsed.positional.front(), entries)) {
        return kExitRefused;
    }
    const bool csv = parsed.Has("--csv");
    std::string text;
    if (parsed.Has("--by-settings")) {
        const std::vector<SettingsGroup> groups = GroupBySettings(entries);
        text = csv ? SettingsGroupsCsv(groups) : SettingsGroupsTable(groups);
    } else {
        text = csv ? LogbookCsv(entries) : LogbookTable(entries);
    }
    io.out << Printable(text);
    return kExitOk;
}

const Command kLogbookCommand{"logbook",
                              "list the record files of a folder with their key figures",
                              kUsage,
                              {{"--config"}, {"--csv", false}, {"--by-settings", false}},
                              1,
                              1,
                              "which folder?",
                              RunLogbook};

}  // namespace tavix::cli
