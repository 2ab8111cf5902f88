// tavix-cli motor: the motor and propeller of each flight, and per model how
// they change flight after flight, as the logbook's "Models" view shows them.
#include <filesystem>
#include <ostream>

#include "Commands.h"
#include "base/PathText.h"
#include "records/MotorBook.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli motor RECORD.dat...|FOLDER [--csv] [--config FILE]\n"
    "\n"
    "Works out each flight's motor from its steady stretches (throttle at least\n"
    "20 % and held, motor turning, more than 1 A): the motor constant Kv (rpm/V),\n"
    "the winding resistance Rm, the propeller's load constant k (shaft watts per\n"
    "1000 rpm cubed) and the mean efficiency. A flight with less than 5 s of\n"
    "steady flight, or whose figures do not fit a motor, says \"not enough steady\n"
    "flight\". Flights whose note has a line \"Model: NAME\" are gathered by model\n"
    "in the order they were flown, and a flight is marked when its Kv fell more\n"
    "than 5 %, its k moved more than 10 % or its Rm rose more than 20 % from the\n"
    "median of the model's earlier flights. A FOLDER gives all its records.\n"
    "\n"
    "  --csv          comma-separated: file,model,steady_s,kv_rpm_per_v,rm_mohm,\n"
    "                 prop_k,efficiency_pct,alert\n";

}  // namespace

int RunMotor(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    StreamPrompt prompt(io);
    const auto settings = call.LoadSettings(prompt);
    if (!settings) {
        return kExitRefused;
    }
    LogbookReader reader(settings->ini, settings->config.smoothing);
    std::vector<LogbookEntry> entries;
    for (const std::string& path : parsed.positional) {
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) {
            std::vector<LogbookEntry> folder;
            std::string error;
            if (!ReadLogbook(path, reader, folder, error)) {
                prompt.Message(error, PromptIcon::Exclamation);
                return kExitRefused;
            }
            entries.insert(entries.end(), folder.begin(), folder.end());
        } else {
            entries.push_back(reader.Read(path));
        }
    }
    int failed = 0;
    for (const LogbookEntry& entry : entries) {
        if (!entry.ok) {
            io.err << PrintableField(PathText(entry.path)) << ": " << PrintableField(entry.error)
                   << '\n';
            ++failed;
        }
    }
    const std::vector<MotorFlight> history = MotorHistory(MotorFlights(entries));
    if (parsed.Has("--csv")) {
        io.out << Printable(MotorCsv(history));
    } else if (!history.empty()) {
        io.out << Printable(MotorTable(history));
        if (SummarizeModels(history).empty()) {
            io.out << '\n' << kMsgNoModels << '\n';
        }
    }
    return failed > 0 ? kExitRefused : kExitOk;
}

const Command kMotorCommand{"motor",
                            "work out each flight's motor and propeller, with per-model alerts",
                            kUsage,
                            {{"--config"}, {"--csv", false}},
                            1,
                            static_cast<std::size_t>(-1),
                            "which record files or folder?",
                            RunMotor};

}  // namespace tavix::cli
