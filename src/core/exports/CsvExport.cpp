#include "exports/CsvExport.h"

#include <charconv>
#include <cmath>

#include "base/AtomicFile.h"
#include "base/PathText.h"
#include "exports/ExportName.h"
#include "flight/Conversion.h"
#include "shell/Clock.h"
#include "shell/Prompt.h"

namespace tavix {

std::string CsvValue(float value) {
    if (std::isnan(value)) {
        // The C library would write "-nan" for some of them: one spelling only.
        return "nan";
    }
    if (std::isinf(value)) {
        return value > 0 ? "inf" : "-inf";
    }
    // to_chars rounds the exact binary value like printf's "%.2f" does, but
    // never writes a decimal comma, whatever locale the windows run in.
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, written.ptr);
}

std::string CsvText(const FlightData& data, const CsvOptions& options) {
    const FlightRecord& record = data.record;
    const int channels = ChannelsOf(record);
    const int samples = SamplesOf(record);
    std::string text;
    // About 9 bytes a value: reserve once instead of growing row by row.
    text.reserve(static_cast<std::size_t>(samples) * static_cast<std::size_t>(channels) * 9 + 128);
    const auto& names = options.utf8 ? kCsvColumnNamesUtf8 : kCsvColumnNames;
    if (options.time) {
        text += kCsvTimeColumn;
    }
    for (int i = 0; i < channels; ++i) {
        if (i > 0 || options.time) {
            text += ',';
        }
        text += names[i];
    }
    text += '\n';
    const double rate = record.header.rate > 0 ? record.header.rate : 1.0;
    for (int j = 0; j < samples; ++j) {
        if (options.time) {
            char buffer[32];
            const auto written = std::to_chars(buffer, buffer + sizeof buffer, j / rate,
                                               std::chars_format::fixed, 3);
            text.append(buffer, written.ptr);
        }
        for (int i = 0; i < channels; ++i) {
            if (i > 0 || options.time) {
                text += ',';
            }
            text += CsvValue(DrawnValue(i, PhysicalValue(record, i, data.smoothed[i][j])));
        }
        text += '\n';
    }
    return text;
}

CsvExportResult ExportCsv(const FlightData& data, Prompt& prompt, const Clock& clock,
                          ExportNameCounter& counter, const CsvPathChooser& choosePath,
                          std::string* savedPath) {
    if (!data.record.dataLoaded) {
        prompt.Message(kMsgNoRecordForCsv, PromptIcon::Exclamation);
        return CsvExportResult::NoRecord;
    }
    CsvOptions options;
    const std::optional<std::string> chosen =
        choosePath(counter.Propose(clock.LocalNow()), options);
    if (!chosen || chosen->empty()) {
        return CsvExportResult::Cancelled;
    }
    counter.Confirm();
    const std::string path = WithDefaultExtension(*chosen, kCsvExtension);
    std::string reason;
    if (!WriteFileAtomically(path, CsvText(data, options), &reason)) {
        prompt.Message(kMsgCantOpenFile, PromptIcon::Exclamation, PathText(path) + ": " + reason);
        return CsvExportResult::Failed;
    }
    if (savedPath != nullptr) {
        *savedPath = path;
    }
    return CsvExportResult::Saved;
}

}  // namespace tavix
