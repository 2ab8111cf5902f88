// Hostile records on their way out: a record file from anywhere that opens is
// described (tavix-cli info), exported as CSV and listed in the logbook (table
// and CSV). Whatever its note, version, hardware code and channel names hold,
// no control character other than the line ends reaches that text, the CSV has
// one line per sample, and the logbook one line per record.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "exports/CsvExport.h"
#include "records/CTavixDoc.h"
#include "records/Logbook.h"
#include "records/RecordSummary.h"

namespace {

using namespace tavix;

// Whether `text` holds a control character other than the line end `end`.
bool HasRawControl(const std::string& text, std::string_view end) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (text.compare(i, end.size(), end) == 0) {
            i += end.size() - 1;
            continue;
        }
        if (byte < 0x20 || byte == 0x7F) {
            return true;
        }
    }
    return false;
}

std::size_t Count(const std::string& text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CIniFile ini = [] {
        CIniFile file;
        file.PutText("1L40", "kvalue0", "0.1", true);
        file.PutText("1L40", "kvalue4", "0.000001", true);
        return file;
    }();
    static CAppConfig config;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static CTavixDoc doc(config, ini);
    RecordForm form;
    std::string message;
    if (!doc.LoadRecord(bytes, "fuzz.dat", form, message)) {
        return 0;
    }
    const ConversionResult& conversion = doc.Convert();
    const FlightRecord& record = doc.Record();

    const std::string summary = RecordSummaryText({record, form, conversion, "fuzz.dat", size});
    if (HasRawControl(summary, "\n")) {
        __builtin_trap();
    }
    const std::string csv = CsvText(doc.Current());
    if (Count(csv, "\n") != static_cast<std::size_t>(SamplesOf(record)) + 1) {
        __builtin_trap();
    }

    // The record as a logbook row, its name from the file's own note.
    LogbookEntry entry;
    entry.ok = true;
    entry.name = FixedText(record.header.note).substr(0, 40) + ".dat";
    entry.version = FixedText(record.header.version);
    entry.note = FixedText(record.header.note);
    entry.time = record.header.timeA;
    LogbookEntry failed;
    failed.name = entry.version + ".dat";
    failed.error = form.note;
    const std::vector<LogbookEntry> entries{entry, failed};
    const std::string table = LogbookTable(entries);
    if (HasRawControl(table, "\n") || Count(table, "\n") != entries.size() + 1) {
        __builtin_trap();
    }
    const std::string logbookCsv = LogbookCsv(entries);
    if (HasRawControl(logbookCsv, "\r\n") || Count(logbookCsv, "\r\n") != entries.size() + 1) {
        __builtin_trap();
    }
    return 0;
}
