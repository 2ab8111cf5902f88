#include "records/Logbook.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <utility>

#include "analysis/FlightQuantities.h"
#include "analysis/NoteLines.h"
#include "analysis/PackTrend.h"
#include "analysis/SpanIndex.h"
#include "base/FormatText.h"
#include "base/OutsideText.h"
#include "base/PathText.h"
#include "esc/EscParamText.h"
#include "records/AnalysisLimits.h"
#include "records/RecordFile.h"
#include "records/RecordSummary.h"

namespace fs = std::filesystem;

namespace tavix {

namespace {

bool HasRecordExtension(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".dat";
}

std::optional<float> Extreme(const QuantitySpan& span, bool highest) {
    if (!span.present || span.valid == 0) {
        return std::nullopt;
    }
    return highest ? span.max : span.min;
}

template <typename T>
std::string Number(const char* format, const std::optional<T>& value) {
    return value ? FormatText(format, static_cast<double>(*value)) : std::string();
}

// Empty values sort first: "nothing" is less than any number.
template <typename T>
int Compare(const std::optional<T>& a, const std::optional<T>& b) {
    if (a.has_value() != b.has_value()) {
        return a.has_value() ? 1 : -1;
    }
    if (!a) {
        return 0;
    }
    return *a < *b ? -1 : *b < *a ? 1 : 0;
}

template <typename T>
int Compare(const T& a, const T& b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

int CompareColumn(const LogbookEntry& a, const LogbookEntry& b, LogbookColumn column) {
    switch (column) {
        case LogbookColumn::Date:
            // Flights of one upload carry one time: they were flown in the
            // order of their numbers in the logger.
            return Compare(std::pair(a.time, a.flightNumber), std::pair(b.time, b.flightNumber));
        case LogbookColumn::File:
            return Compare(a.name, b.name);
        case LogbookColumn::Version:
            return Compare(a.version, b.version);
        case LogbookColumn::Duration:
            return Compare(a.seconds, b.seconds);
        case LogbookColumn::Rate:
            return Compare(a.rate, b.rate);
        case LogbookColumn::MaxCurrent:
            return Compare(a.maxCurrent, b.maxCurrent);
        case LogbookColumn::MinVoltage:
            return Compare(a.minVoltage, b.minVoltage);
        case LogbookColumn::MaxTemperature:
            return Compare(a.maxTemperature, b.maxTemperature);
        case LogbookColumn::MaxRpm:
            return Compare(a.maxRpm, b.maxRpm);
        case LogbookColumn::Capacity:
            return Compare(a.capacityMah, b.capacityMah);
        case LogbookColumn::Resistance:
            return Compare(a.ohms, b.ohms);
        case LogbookColumn::Events:
            return Compare(a.events, b.events);
        case LogbookColumn::Note:
            return Compare(a.note, b.note);
    }
    return 0;
}

// A note typed on one line may still hold line breaks from elsewhere.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    return text;
}

}  // namespace

bool ListRecordFiles(const std::string& folder, std::vector<std::string>& paths,
                     std::string& error) {
    paths.clear();
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (HasRecordExtension(it->path())) {
            paths.push_back(it->path().string());
        }
    }
    if (ec) {
        paths.clear();
        error = FormatShown(kMsgLogbookFolder, PathText(folder).c_str(), ec.message().c_str());
        return false;
    }
    std::sort(paths.begin(), paths.end());
    return true;
}

LogbookReader::LogbookReader(const CIniFile& ini, const std::array<int, kChannelCount>& smoothing)
    : calibrations_(CalibrationBook::FromIni(ini)),
      smoothing_(smoothing),
      limits_(ReadEventLimits(ini)) {}

LogbookEntry LogbookReader::Read(const std::string& path) {
    LogbookEntry entry;
    entry.path = path;
    entry.name = fs::path(path).filename().string();

    // Opening a pipe or a device would wait or read forever.
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!ec && status.type() != fs::file_type::regular) {
        entry.error = FormatShown(kMsgLogbookNotRegular, PathText(path).c_str());
        return entry;
    }
    RecordForm form;
    const std::unique_ptr<FlightData> flight =
        ReadRecordFile(path, calibrations_, form, entry.error);
    if (!flight) {
        return entry;
    }
    flight->Convert(smoothing_);
    const FlightRecord& record = flight->record;
    const SpanIndex index(*flight);
    const SpanStatistics whole = index.Whole();

    entry.ok = true;
    entry.warning = form.warning;
    entry.time = record.uploadTime != 0 ? record.uploadTime : record.header.timeA;
    entry.flightNumber = record.flightNumber;
    entry.version = FixedText(record.header.version);
    entry.note = FixedText(record.header.note);
    entry.rate = record.header.rate;
    entry.seconds = whole.seconds;
    entry.maxCurrent = Extreme(whole.quantities[kCurrent], true);
    entry.minVoltage = Extreme(whole.quantities[kVoltage], false);
    entry.maxTemperature = Extreme(whole.quantities[kTemperature], true);
    entry.maxRpm = Extreme(whole.quantities[kMotorRpm], true);
    const FlightQuantities quantities = ComputeQuantities(index);
    entry.capacityMah = quantities.capacityMah;
    entry.pack = PackName(entry.note);
    entry.minCellVoltage = quantities.minCellVoltage;
    entry.ohms = FlightResistance(index);
    entry.model = NoteLineValue(entry.note, kModelPrefix);
    entry.motor = FlightMotor(index);
    if (auto settings = StoredSettings(record.escBlock)) {
        entry.settings = std::move(*settings);
    }
    const std::vector<FlightEvent> events = FindEvents(record, index, limits_);
    entry.events = static_cast<int>(events.size());
    for (const FlightEvent& e : events) {
        if (!entry.worstEvent || e.kind < *entry.worstEvent) {
            entry.worstEvent = e.kind;
        }
    }
    return entry;
}

bool ReadLogbook(const std::string& folder, LogbookReader& reader,
                 std::vector<LogbookEntry>& entries, std::string& error) {
    std::vector<std::string> paths;
    entries.clear();
    if (!ListRecordFiles(folder, paths, error)) {
        return false;
    }
    for (const std::string& path : paths) {
        entries.push_back(reader.Read(path));
    }
    SortLogbook(entries, LogbookColumn::Date);
    return true;
}

bool LogbookLess(const LogbookEntry& a, const LogbookEntry& b, LogbookColumn column) {
    if (a.ok != b.ok) {
        return a.ok;
    }
    const int order = a.ok ? CompareColumn(a, b, column) : 0;
    return order != 0 ? order < 0 : a.name < b.name;
}

void SortLogbook(std::vector<LogbookEntry>& entries, LogbookColumn column, bool ascending) {
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const LogbookEntry& a, const LogbookEntry& b) {
                         // Descending keeps the files that could not be opened
                         // last, in the order of their names.
                         if (!ascending && a.ok && b.ok) {
                             return LogbookLess(b, a, column);
                         }
                         return LogbookLess(a, b, column);
                     });
}

std::string LogbookCell(const LogbookEntry& entry, LogbookColumn column) {
    if (column == LogbookColumn::File) {
        return EscapeControls(PathText(entry.name));
    }
    if (!entry.ok) {
        return std::string();
    }
    switch (column) {
        case LogbookColumn::Date:
            return LocalTimeText(entry.time);
        case LogbookColumn::File:
            return EscapeControls(PathText(entry.name));
        case LogbookColumn::Version:
            return EscapeControls(entry.version);
        case LogbookColumn::Duration:
            return Number("%.1f", entry.seconds);
        case LogbookColumn::Rate:
            return std::to_string(entry.rate);
        case LogbookColumn::MaxCurrent:
            return Number("%.1f", entry.maxCurrent);
        case LogbookColumn::MinVoltage:
            return Number("%.1f", entry.minVoltage);
        case LogbookColumn::MaxTemperature:
            return Number("%.1f", entry.maxTemperature);
        case LogbookColumn::MaxRpm:
            return Number("%.0f", entry.maxRpm);
        case LogbookColumn::Capacity:
            return Number("%.0f", entry.capacityMah);
        case LogbookColumn::Resistance:
            return entry.ohms ? PointNumber(*entry.ohms * 1000.0, 1) : std::string();
        case LogbookColumn::Events:
            return std::to_string(entry.events);
        case LogbookColumn::Note:
            return EscapeControls(OneLine(entry.note));
    }
    return std::string();
}

std::string LogbookTable(const std::vector<LogbookEntry>& entries) {
    std::array<std::size_t, kLogbookColumns> widths{};
    for (int c = 0; c < kLogbookColumns; ++c) {
        widths[c] = std::string(kLogbookHeadings[c]).size();
        for (const LogbookEntry& e : entries) {
            if (e.ok || c <= static_cast<int>(LogbookColumn::File)) {
                widths[c] =
                    std::max(widths[c], LogbookCell(e, static_cast<LogbookColumn>(c)).size());
            }
        }
    }
    // Texts left-aligned, numbers right-aligned; the note, last, unpadded.
    auto put = [&](std::ostringstream& out, int c, const std::string& text) {
        const auto column = static_cast<LogbookColumn>(c);
        if (c == kLogbookColumns - 1) {
            out << OneLine(text);
            return;
        }
        const std::string pad(widths[c] - text.size(), ' ');
        const bool left = column == LogbookColumn::Date || column == LogbookColumn::File ||
                          column == LogbookColumn::Version;
        out << (left ? text + pad : pad + text) << "  ";
    };
    std::ostringstream out;
    for (int c = 0; c < kLogbookColumns; ++c) {
        put(out, c, kLogbookHeadings[c]);
    }
    out << '\n';
    for (const LogbookEntry& e : entries) {
        std::ostringstream line;
        if (e.ok) {
            for (int c = 0; c < kLogbookColumns; ++c) {
                put(line, c, LogbookCell(e, static_cast<LogbookColumn>(c)));
            }
        } else {
            put(line, 0, "");
            put(line, 1, LogbookCell(e, LogbookColumn::File));
            line << "error: " << EscapeControls(OneLine(e.error));
        }
        std::string text = line.str();
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        out << text << '\n';
        if (e.ok && !e.warning.empty()) {
            out << "  warning: " << OneLine(e.warning) << '\n';
        }
    }
    return out.str();
}

std::string LogbookCsv(const std::vector<LogbookEntry>& entries) {
    std::ostringstream out;
    for (int c = 0; c < kLogbookColumns; ++c) {
        out << CsvCell(kLogbookHeadings[c]) << ',';
    }
    out << kLogbookErrorHeading << "\r\n";
    // Texts (file names, versions, notes, reasons) are cells a spreadsheet
    // must never run as a formula; numbers stay as they are.
    const auto isText = [](LogbookColumn column) {
        return column == LogbookColumn::Date || column == LogbookColumn::File ||
               column == LogbookColumn::Version || column == LogbookColumn::Note;
    };
    for (const LogbookEntry& e : entries) {
        for (int c = 0; c < kLogbookColumns; ++c) {
            const auto column = static_cast<LogbookColumn>(c);
            const std::string cell = LogbookCell(e, column);
            out << (isText(column) ? CsvTextCell(cell) : CsvCell(cell)) << ',';
        }
        out << CsvTextCell(EscapeControls(e.ok ? e.warning : e.error)) << "\r\n";
    }
    return out.str();
}

}  // namespace tavix
