// tavix-cli packs: the battery packs of a folder of records, as the logbook's
// "Packs" view shows them.
#include <ostream>

#include "Commands.h"
#include "records/Logbook.h"
#include "records/PackBook.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli packs FOLDER [--csv] [--config FILE]\n"
    "\n"
    "Reads every record file (.dat) of FOLDER and gathers the flights by pack: a\n"
    "record belongs to pack NAME when the first line of its note reads\n"
    "\"Pack: NAME\". Per pack: flights, total and mean capacity drawn (mAh), the\n"
    "lowest voltage per cell, the internal resistance (median over the flights,\n"
    "each the median over its current steps) and the first and last flight.\n"
    "\n"
    "  --csv          comma-separated: pack,flights,total_mah,mean_mah,min_cell_v,\n"
    "                 resistance_mohm,first_flight,last_flight\n";

}  // namespace

int RunPacks(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    StreamPrompt prompt(io);
    std::vector<LogbookEntry> entries;
    if (!call.ReadFolder(prompt, parsed.positional.front(), entries)) {
        return kExitRefused;
    }
    const std::vector<PackRow> rows = SummarizePacks(PackFlights(entries));
    if (parsed.Has("--csv")) {
        io.out << Printable(PacksCsv(rows));
        return kExitOk;
    }
    if (rows.empty()) {
        io.out << kMsgNoPacks << '\n';
        return kExitOk;
    }
    io.out << Printable(PacksTable(rows));
    return kExitOk;
}

const Command kPacksCommand{"packs",
                            "gather a folder's flights by battery pack, with its trend",
                            kUsage,
                            {{"--config"}, {"--csv", false}},
                            1,
                            1,
                            "which folder?",
                            RunPacks};

}  // namespace tavix::cli
