// tavix-cli csv: "Save As &CSV" for a record file, without a window.
#include <filesystem>
#include <ostream>

#include "Commands.h"
#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "exports/CsvExport.h"
#include "flight/Conversion.h"
#include "records/CTavixDoc.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli csv RECORD.dat [-o OUT.csv] [--utf8] [--time] [--config FILE]\n"
    "\n"
    "Opens a record file as the window does and writes it as comma-separated\n"
    "text, byte for byte what \"Save As CSV\" writes: a header line with the\n"
    "channel names (GBK), then one line per sample with each channel's value\n"
    "(\"%.2f\"; smoothed with the windows of config.ini, calibrated with the\n"
    "record's hardware profile). An existing OUT is replaced.\n"
    "\n"
    "  -o, --out OUT  the CSV file (default: the record's name with .csv)\n"
    "  --utf8         the header in UTF-8 instead of GBK, for other tools\n"
    "  --time         a first column Time(s): each sample's time in seconds\n"
    "                 (both together are the window's second file type)\n";

constexpr const char* kMsgSameFile =
    "The CSV file %s would replace the record it is made from: choose another name.";
constexpr const char* kMsgWritten = "%s: %d samples of %d channels";

}  // namespace

int RunCsv(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    const std::string& record = parsed.positional.front();
    std::string out = parsed.Get("--out");
    if (out.empty()) {
        out = std::filesystem::path(record).replace_extension(kCsvExtension).string();
    }
    std::error_code ec;
    if (std::filesystem::equivalent(record, out, ec)) {
        io.err << FormatText(kMsgSameFile, out.c_str()) << '\n';
        return kExitRefused;
    }

    StreamPrompt prompt(io);
    RecordForm form;
    const auto settings = call.OpenRecord(prompt, record, form);
    if (!settings) {
        return kExitRefused;
    }
    // The window smooths a record as it shows it; the file is made from that.
    settings->doc.Convert();
    const FlightRecord& loaded = settings->doc.Record();
    std::string reason;
    const CsvOptions options{parsed.Has("--utf8"), parsed.Has("--time")};
    if (!WriteFileAtomically(out, CsvText(settings->doc.Current(), options), &reason)) {
        prompt.Message(kMsgCantOpenFile, PromptIcon::Exclamation);
        io.err << out << ": " << reason << '\n';
        return kExitRefused;
    }
    io.out << FormatText(kMsgWritten, out.c_str(), SamplesOf(loaded), ChannelsOf(loaded)) << '\n';
    return kExitOk;
}

const Command kCsvCommand{"csv",
                          "write a record file as CSV text, as \"Save As CSV\" does",
                          kUsage,
                          {{"--out", true, "the CSV file to write", "-o"},
                           {"--utf8", false},
                           {"--time", false},
                           {"--config"}},
                          1,
                          1,
                          "which record file?",
                          RunCsv};

}  // namespace tavix::cli
