#include "records/PackBook.h"

#include <algorithm>

#include "analysis/FlightEvents.h"
#include "base/OutsideText.h"
#include "records/RecordSummary.h"
#include "records/TextTable.h"

namespace tavix {

namespace {

std::string Optional(const std::optional<double>& value, double scale, int decimals) {
    return value ? PointNumber(*value * scale, decimals) : std::string();
}

}  // namespace

std::vector<PackFlight> PackFlights(const std::vector<LogbookEntry>& entries) {
    std::vector<PackFlight> flights;
    for (const LogbookEntry& e : entries) {
        if (e.ok && !e.pack.empty()) {
            flights.push_back(
                {e.pack, e.time, e.capacityMah, e.minCellVoltage, e.ohms, e.flightNumber});
        }
    }
    return flights;
}

std::string PackCell(const PackRow& row, int column) {
    switch (column) {
        case 0:
            return row.pack;
        case 1:
            return std::to_string(row.flights);
        case 2:
            return row.meanMah ? PointNumber(row.totalMah, 0) : std::string();
        case 3:
            return Optional(row.meanMah, 1.0, 0);
        case 4:
            return Optional(row.minCellVoltage, 1.0, 3);
        case 5:
            return Optional(row.ohms, 1000.0, 1);
        case 6:
            return LocalTimeText(row.firstFlight);
        case 7:
            return LocalTimeText(row.lastFlight);
        default:
            return std::string();
    }
}

std::string PacksTable(const std::vector<PackRow>& rows) {
    std::vector<std::vector<std::string>> lines(1);
    for (const char* heading : kPackHeadings) {
        lines.back().push_back(heading);
    }
    for (const PackRow& row : rows) {
        lines.emplace_back();
        for (int c = 0; c < kPackColumns; ++c) {
            lines.back().push_back(c == 0 ? EscapeControls(row.pack) : PackCell(row, c));
        }
    }
    // The name and the dates left-aligned, numbers right-aligned.
    return AlignedTable(lines, {true, false, false, false, false, false, true, true});
}

std::string PacksCsv(const std::vector<PackRow>& rows) {
    std::string out = std::string(kPacksCsvHeader) + "\r\n";
    for (const PackRow& row : rows) {
        out += CsvTextCell(row.pack);
        for (int c = 1; c < kPackColumns; ++c) {
            out += ',' + PackCell(row, c);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace tavix
