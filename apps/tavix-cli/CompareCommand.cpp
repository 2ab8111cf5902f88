// tavix-cli compare: two to four record files side by side, the first the
// reference, with the same figures and differences as the window's
// difference table.
#include <charconv>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <set>

#include "Commands.h"
#include "CompareImage.h"
#include "analysis/FlightCompare.h"
#include "analysis/FlightEvents.h"
#include "base/FormatText.h"
#include "base/OutsideText.h"
#include "base/PathText.h"
#include "config/CalibrationBook.h"
#include "esc/EscParamText.h"
#include "records/Comparison.h"
#include "records/RecordFile.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli compare A.dat B.dat [C.dat D.dat] [--align start|throttle[:PCT]]\n"
    "                         [--csv | --image OUT.png|.jpg|.bmp|.gif [--size WxH]\n"
    "                                  [--layout stacked|overlay]]\n"
    "                         [--config FILE]\n"
    "\n"
    "Opens two to four record files as the window does and compares their flights,\n"
    "the first being the reference: duration, capacity (mAh) and energy (Wh) drawn,\n"
    "average and peak current, peak power, minimum voltage and voltage per cell,\n"
    "maximum temperature and RPM, each with its difference to the reference's\n"
    "(absolute and in percent). Records uploaded with their ESC's settings also\n"
    "list the settings that differ.\n"
    "\n"
    "  --align start         each flight from its start (default)\n"
    "  --align throttle[:PCT]\n"
    "                        each flight from the moment its throttle first reaches\n"
    "                        PCT % (default 20); a flight that never does is\n"
    "                        aligned at its start and marked so\n"
    "  --csv                 comma-separated, one row per record, reference first:\n"
    "                        file,align_s,duration_s,mah,wh,avg_current_a,\n"
    "                        max_current_a,max_power_w,min_voltage_v,min_cell_v,\n"
    "                        max_temp_c,max_rpm\n"
    "  --image OUT           the record page comparing them, drawn as the window\n"
    "                        shows it (every record's curves with the legend, the\n"
    "                        difference table), saved as an image; the extension\n"
    "                        picks the format, a name without one gets .jpg\n"
    "  --size WxH            size of that page in pixels (default: 1024x640)\n"
    "  --layout L            overlay: every curve on one plot; stacked: one plot\n"
    "                        per curve over one time axis (default: the window's\n"
    "                        choice, as config.ini keeps it)\n";

constexpr const char* kAlignedStart = "Aligned at the start of each flight.";
constexpr const char* kAlignedThrottle = "Aligned where the throttle first reaches %s %%.";
constexpr const char* kBadAlign = "--align takes start, throttle or throttle:PCT (PCT 1-100), not ";

// What the options ask for, checked before any file is read.
struct CompareOptions {
    AlignRequest align;
    bool csv = false;
};

// "start", "throttle" or "throttle:PCT"; false when it is none of them.
bool ParseAlign(const std::string& text, AlignRequest& align) {
    if (text == "start") {
        align.mode = AlignMode::Start;
        return true;
    }
    const std::string throttle = "throttle";
    if (text.rfind(throttle, 0) != 0) {
        return false;
    }
    align.mode = AlignMode::Throttle;
    if (text.size() == throttle.size()) {
        return true;
    }
    if (text[throttle.size()] != ':') {
        return false;
    }
    const char* first = text.data() + throttle.size() + 1;
    const char* last = text.data() + text.size();
    double percent = 0.0;
    const auto result = std::from_chars(first, last, percent, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != last || !(percent >= 1.0 && percent <= 100.0)) {
        return false;
    }
    align.throttlePercent = percent;
    return true;
}

// The options, or the usage problem in `problem`.
std::optional<CompareOptions> ParseOptions(const ParsedArgs& parsed, std::string& problem) {
    CompareOptions options;
    if (parsed.Has("--align") && !ParseAlign(parsed.Get("--align"), options.align)) {
        problem = kBadAlign + parsed.Get("--align");
        return std::nullopt;
    }
    options.csv = parsed.Has("--csv");
    if (options.csv && parsed.Has("--image")) {
        problem = "--csv and --image: one or the other";
        return std::nullopt;
    }
    if (parsed.Has("--size") && !parsed.Has("--image")) {
        problem = "--size is the size of the --image";
        return std::nullopt;
    }
    if (parsed.Has("--layout") && !parsed.Has("--image")) {
        problem = "--layout is the layout of the --image";
        return std::nullopt;
    }
    return options;
}

// A throttle level as the user typed it: "20", "12.5".
std::string LevelText(double percent) {
    std::string text = PointNumber(percent, 2);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

// The records, opened and converted as the window opens them.
struct LoadedFlights {
    std::vector<std::unique_ptr<FlightData>> data;
    std::vector<std::unique_ptr<SpanIndex>> indexes;
    std::vector<std::string> names;  // program text (file names through PathText)
};

// Each file's name, or its path as given where two files share a name.
std::vector<std::string> ShownNames(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    std::set<std::string> seen;
    bool clash = false;
    for (const std::string& path : paths) {
        names.push_back(std::filesystem::path(path).filename().string());
        clash = clash || !seen.insert(names.back()).second;
    }
    return clash ? paths : names;
}

// Reads every file; a file that cannot be read is named with its reason and
// the others are still tried, so one run reports them all.
bool LoadFlights(const std::vector<std::string>& paths, Settings& settings, StreamPrompt& prompt,
                 const Io& io, LoadedFlights& out) {
    const CalibrationBook calibrations = CalibrationBook::FromIni(settings.ini);
    const std::vector<std::string> names = ShownNames(paths);
    bool ok = true;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        RecordForm form;
        std::string message;
        auto flight = ReadRecordFile(paths[i], calibrations, form, message, &settings.doc.Record());
        if (!flight) {
            prompt.Message(message, PromptIcon::Exclamation);
            ok = false;
            continue;
        }
        PrintRecordWarning(io, form.warning);
        flight->Convert(settings.config.smoothing);
        out.indexes.push_back(std::make_unique<SpanIndex>(*flight));
        out.data.push_back(std::move(flight));
        out.names.push_back(PathText(names[i]));
    }
    return ok;
}

}  // namespace

int RunCompare(const Invocation& call) {
    const Io& io = call.io;
    std::string problem;
    const std::optional<CompareOptions> options = ParseOptions(call.args, problem);
    if (!options) {
        return call.UsageError(problem);
    }
    if (call.args.Has("--image")) {
        return RunCompareImage(call, call.args.positional, options->align);
    }
    StreamPrompt prompt(io);
    // The same file twice is refused as the window (and --image) refuses it.
    if (const std::string twice = ComparedTwice(call.args.positional); !twice.empty()) {
        prompt.Message(twice, PromptIcon::Exclamation);
        return kExitRefused;
    }
    const auto settings = call.LoadSettings(prompt);
    if (!settings) {
        return kExitRefused;
    }
    LoadedFlights loaded;
    if (!LoadFlights(call.args.positional, *settings, prompt, io, loaded)) {
        return kExitRefused;
    }
    std::vector<ComparedFlight> flights;
    for (std::size_t i = 0; i < loaded.data.size(); ++i) {
        flights.push_back({loaded.names[i], StoredSettings(loaded.data[i]->record.escBlock),
                           loaded.indexes[i].get()});
    }
    const FlightComparison comparison = CompareFlights(flights, options->align);
    if (options->csv) {
        io.out << Printable(CompareCsv(flights, comparison));
        return kExitOk;
    }
    for (ComparedFlight& flight : flights) {
        flight.name = EscapeControls(flight.name);
    }
    io.out << (options->align.mode == AlignMode::Start
                   ? std::string(kAlignedStart)
                   : FormatText(kAlignedThrottle,
                                LevelText(options->align.throttlePercent).c_str()))
           << "\n\n"
           << Printable(CompareTableText(BuildCompareTable(flights, comparison)));
    return kExitOk;
}

const Command kCompareCommand{
    "compare",
    "compare 2-4 record files: figures, differences, ESC settings",
    kUsage,
    {{"--config"}, {"--csv", false}, {"--align"}, {"--image"}, {"--size"}, {"--layout"}},
    kMinComparedFlights,
    kMaxComparedFlights,
    "which record files? (2 to 4, the reference first)",
    RunCompare};

}  // namespace tavix::cli
