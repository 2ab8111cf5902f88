// tavix-cli info: a record file opened as the window opens it, in words.
#include <filesystem>
#include <ostream>

#include "Commands.h"
#include "analysis/AnalysisMessages.h"
#include "analysis/FlightEvents.h"
#include "analysis/FlightQuantities.h"
#include "analysis/MotorHealth.h"
#include "analysis/PackTrend.h"
#include "base/OutsideText.h"
#include "esc/EscParamBlock.h"
#include "esc/EscParamText.h"
#include "records/AnalysisLimits.h"
#include "records/CTavixDoc.h"
#include "records/RecordSummary.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli info RECORD.dat [--config FILE]\n"
    "\n"
    "Opens a record file as the window does (the calibration comes from config.ini\n"
    "by the record's hardware code) and shows its header, its channel table and\n"
    "the statistics of its curves, with what they give: maximum power, capacity\n"
    "(mAh) and energy (Wh) drawn, average current, cells and voltage per cell,\n"
    "the battery's internal resistance, its pack, its model and the motor's\n"
    "figures as 'tavix-cli motor' works them out, and how many events\n"
    "`tavix-cli events` lists. A record uploaded with its ESC's settings shows\n"
    "them last, as \"Name: value\" lines as 'tavix-cli esc read' prints them.\n"
    "\n";

}  // namespace

int RunInfo(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    const std::string& path = parsed.positional.front();
    StreamPrompt prompt(io);
    RecordForm form;
    const auto settings = call.OpenRecord(prompt, path, form);
    if (!settings) {
        return kExitRefused;
    }
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    const ConversionResult& conversion = settings->doc.Convert();
    const std::string summary =
        RecordSummaryText({settings->doc.Record(), form, conversion, path,
                           ec ? std::nullopt : std::optional<std::uintmax_t>(size)});
    io.out << Printable(summary);
    io.out << "\nComputed from the curves:\n";
    const FlightRecord& record = settings->doc.Record();
    const SpanIndex index(settings->doc.Current());
    std::vector<QuantityText> lines = QuantityTexts(ComputeQuantities(index));
    const std::optional<double> ohms = FlightResistance(index);
    lines.push_back({kCaptionResistance,
                     ohms ? PointNumber(*ohms * 1000.0, 1) + " mOhm" : std::string(kNoValue)});
    const std::string pack = PackName(FixedText(record.header.note));
    if (!pack.empty()) {
        lines.push_back({kCaptionPack, Printable(EscapeControls(pack))});
    }
    const std::string model = NoteLineValue(FixedText(record.header.note), kModelPrefix);
    if (!model.empty()) {
        lines.push_back({kCaptionModel, Printable(EscapeControls(model))});
    }
    for (const QuantityText& line : MotorTexts(FlightMotor(index))) {
        lines.push_back(line);
    }
    lines.push_back(
        {kCaptionEvents,
         std::to_string(FindEvents(record, index, ReadEventLimits(settings->ini)).size())});
    for (const QuantityText& line : lines) {
        io.out << "  " << line.caption << std::string(13 - line.caption.size(), ' ') << line.value
               << '\n';
    }
    // The ESC's settings the flight was flown with, as `esc read` prints them.
    const std::string& stored = settings->doc.Record().escBlock;
    if (const EscSeriesTable* table = StoredBlockTable(stored)) {
        const Bytes block(stored.begin(), stored.end());
        io.out << "\nESC settings of the flight:\n"
               << Printable(ParamFileText(*table, DecodeParamBlock(*table, block)));
    }
    // What the file carries after the record that this build could not take.
    if (!record.notReadWhole.empty()) {
        io.out << "\nNot read whole: " << record.notReadWhole
               << "; what was not read is ignored, and the window does not save over the file.\n";
    }
    if (!record.otherSections.empty()) {
        io.out << "\nExtension sections of a newer build: " << record.otherSections.size()
               << " (kept when the record is saved)\n";
    }
    return kExitOk;
}

const Command kInfoCommand{"info",
                           "show the header, channels and statistics of a record file",
                           kUsage,
                           {{"--config"}},
                           1,
                           1,
                           "which record file?",
                           RunInfo};

}  // namespace tavix::cli
