// tavix-cli upload: "Upload Record Data" without a window.
#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>

#include "Commands.h"
#include "DeviceSession.h"
#include "analysis/PackTrend.h"
#include "logger/FlightList.h"
#include "logger/LoggerMessages.h"
#include "platform/GbkText.h"
#include "records/CTavixDoc.h"
#include "records/StoredFlights.h"
#include "shell/GearRateRule.h"
#include "shell/ShellMessages.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli upload [--port PORT] [--gear G] [--poles N] [--note TEXT]\n"
    "                        [--pack NAME] [--model NAME] [--out DIR] [--config FILE]\n"
    "                        [--flights new|all|N,M] [--logbook DIR]\n"
    "\n"
    "Identifies the device, reads the logger's header and lists its flights on\n"
    "standard error: number, samples, duration, and whether a record file in DIR\n"
    "(or the --logbook folder) already holds it. Then uploads the chosen flights\n"
    "exactly as \"Upload Record Data\" does and writes one record file per flight,\n"
    "named year-month-day_n.dat with the next free numbers, into DIR. No flight is\n"
    "written twice into one folder. Prints the path of every file written, and on\n"
    "standard error what became of every flight (\"N new, M already stored in DIR\",\n"
    "flights skipped and why).\n"
    "\n"
    "  --flights WHICH new: the flights no record file holds yet (the default when\n"
    "                 some flight of this logger is stored already); all: every\n"
    "                 flight (the default otherwise; those already in DIR are\n"
    "                 still not written again); N,M: those flight numbers\n"
    "  --logbook DIR  another folder whose record files count as stored\n"
    "  --port PORT    a device path, COMn, or demo (the built-in simulated device);\n"
    "                 default: the port stored in config.ini\n"
    "  --gear G       gear rate, kept to two decimals as the window keeps it\n"
    "                 (default: [gearrate] default of config.ini)\n"
    "  --poles N      motor pole number (default: [polnumber] default of config.ini)\n"
    "  --note TEXT    the user note stored in the record files (512 bytes of GBK)\n"
    "  --pack NAME    the battery pack: the note's first line reads \"Pack: NAME\"\n"
    "  --model NAME   the model flown: the note has a line \"Model: NAME\" (after\n"
    "                 the pack's)\n"
    "  --out DIR      where the record files go (default: the working directory)\n";

constexpr const char* kMsgNoLogger =
    "The device has no flight data logger attached: there is nothing to upload.";
constexpr const char* kMsgNoOutputDir = "Can't create the output directory %s (%s)!";
constexpr const char* kMsgNoEnd = "The upload did not end: the device stopped answering.";

// Longest an upload may take: 128 blocks at 200 ms, with room for a slow line.
constexpr int kUploadLimitMs = 15 * 60 * 1000;

constexpr const char* kGearError = "--gear needs a number of at least 0.01";
constexpr const char* kPolesError = "--poles needs a whole number of at least 2";
constexpr const char* kConfiguredPoles = "%s [polnumber] default is \"%s\": give --poles N";

// The form keeps the gear rate to two decimals ("%.2f" read back), and so the
// record does: 3.456 is stored as 3.46. Refused when that is not above 0.
bool ParseGear(const std::string& text, float& gear) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end || !IsUsableGearRate(value)) {
        return false;
    }
    gear = RoundGearRate(value);
    return true;
}

bool ParsePoles(const std::string& text, std::int32_t& poles) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, poles);
    return result.ec == std::errc() && result.ptr == end && IsUsablePoleNumber(poles);
}

void PrintProgress(const Io& io, const UploadProgress& progress, bool last) {
    io.err << '\r' << kProgressCaption << ' ' << progress.Position() << "%  "
           << progress.DetailText() << "        " << (last ? "\n" : "") << std::flush;
}

}  // namespace

int RunUpload(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    UploadForm form;
    if (parsed.Has("--gear") && !ParseGear(parsed.Get("--gear"), form.gearRate)) {
        return call.UsageError(kGearError);
    }
    if (parsed.Has("--poles") && !ParsePoles(parsed.Get("--poles"), form.poles)) {
        return call.UsageError(kPolesError);
    }
    // Record texts are GBK, as the window stores what is typed into the note box.
    form.note = ToGbk(QString::fromLocal8Bit(parsed.Get("--note")));
    // --pack NAME: the note's first line "Pack: NAME", as the window's pack field.
    form.note = WithPackLine(form.note, ToGbk(QString::fromLocal8Bit(parsed.Get("--pack"))));
    // --model NAME: a line "Model: NAME", as the window's model field.
    form.note =
        WithNoteLine(form.note, kModelPrefix, ToGbk(QString::fromLocal8Bit(parsed.Get("--model"))));
    if (form.note.size() > kMaxNoteLength) {
        // Cut, it would lose text (and perhaps half a character) unasked.
        return call.UsageError(
            FormatText("--note (with its pack and model lines) holds at most %d bytes of GBK text, "
                       "this one needs %d",
                       static_cast<int>(kMaxNoteLength), static_cast<int>(form.note.size())));
    }

    std::optional<FlightChoice> choice;
    if (parsed.Has("--flights")) {
        std::string error;
        choice = ParseFlightChoice(parsed.Get("--flights"), error);
        if (!choice) {
            return call.UsageError(error);
        }
    }

    StreamPrompt prompt(io);
    const auto settings = call.LoadSettings(prompt);
    if (!settings) {
        return kExitRefused;
    }
    // The form's defaults, as the window starts with them.
    const RecordHeader& header = settings->doc.Record().header;
    if (!parsed.Has("--gear")) {
        form.gearRate = InitialGearRate(header.gearRate);
    }
    if (!parsed.Has("--poles")) {
        if (!IsUsablePoleNumber(header.poles)) {
            const std::string configured =
                settings->ini.GetText(kIniPolesSection, kIniDefaultEntry);
            const std::string& path = settings->ini.FilePath();
            return call.UsageError(std::string(kPolesError) + "\n" +
                                   FormatText(kConfiguredPoles, path.c_str(), configured.c_str()));
        }
        form.poles = header.poles;
    }
    const std::string outDir = parsed.Get("--out");
    if (!outDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(outDir, ec);
        if (ec) {
            io.err << FormatText(kMsgNoOutputDir, outDir.c_str(), ec.message().c_str()) << '\n';
            return kExitRefused;
        }
    }

    DeviceSession session(*settings, prompt, parsed.Get("--port"));
    LoggerLink& link = session.Link();
    if (!session.Identify()) {
        return kExitRefused;
    }
    if (!session.Identity().State().hasLogger) {
        io.err << kMsgNoLogger << '\n';
        return kExitRefused;
    }

    link.outputDirectory = outDir;
    if (parsed.Has("--logbook")) {
        link.searchFolders = {parsed.Get("--logbook")};
    }
    link.findStored = FindStoredCandidates;
    // The list before any flight is read; the choice is the option's, or the default.
    bool badChoice = false;
    link.chooseFlights = [&](FlightList& list) {
        std::string error;
        if (choice && !ApplyChoice(list, *choice, error)) {
            io.err << FlightListText(list) << error << '\n';
            badChoice = true;
            return false;
        }
        io.err << FlightListText(list);
        if (list.SelectedCount() == 0) {
            io.err << kMsgNoFlightChosen << '\n';
        }
        return true;
    };
    link.storeRecord = CTavixDoc::StoreFlight;
    // The window opens the last file as its document; so does this, which
    // proves the file reads back.
    link.openRecord = [&](const std::string& path) {
        RecordForm opened;
        std::string message;
        if (!settings->doc.OnOpenDocument(path, opened, message)) {
            prompt.Message(message, PromptIcon::Exclamation);
        }
    };
    // The paths stay alone on standard output for scripts; the summary is for the reader.
    link.showSummary = [&io](const std::string& summary) { io.err << Printable(summary) << '\n'; };
    if (io.errIsTerminal) {
        const UploadProgress& window = session.Window();
        session.Window().onPoll = [&io, &window] { PrintProgress(io, window, window.Finished()); };
    }
    io.err << "Gear rate " << FormatText("%.2f", static_cast<double>(form.gearRate))
           << ", pole number " << form.poles << ".\n";

    link.OnUploadRecordData(form);
    const bool ended = session.RunUntil(
        [&] { return !link.State().busy && !session.Window().Running(); }, kUploadLimitMs);
    if (!ended) {
        io.err << kMsgNoEnd << '\n';
        return kExitRefused;
    }
    for (const std::string& path : link.State().writtenFiles) {
        io.out << path << '\n';
    }
    // Nothing new is a success when the flights are all stored already.
    const FlightList& flights = link.State().flights;
    const bool nothingToDo = flights.SelectedCount() == 0 && flights.EarlierFound();
    return !badChoice && (!link.State().writtenFiles.empty() || nothingToDo) && prompt.failures == 0
               ? kExitOk
               : kExitRefused;
}

const Command kUploadCommand{"upload",
                             "upload the logger's flights into record files (.dat)",
                             kUsage,
                             {{"--port"},
                              {"--gear"},
                              {"--poles"},
                              {"--note"},
                              {"--pack"},
                              {"--model"},
                              {"--out"},
                              {"--config"},
                              {"--flights"},
                              {"--logbook"}},
                             0,
                             0,
                             nullptr,
                             RunUpload};

}  // namespace tavix::cli
