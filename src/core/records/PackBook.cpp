#include "records/PackBook.h"

#include <algorithm>
#include <sstream>

#include "analysis/FlightEvents.h"
#include "base/OutsideText.h"
#include "records/RecordSummary.h"

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
            flights.push_back({e.pack, e.time, e.capacityMah, e.minCellVoltage, e.ohms});
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
    std::vector<std::array<std::string, kPackColumns>> cells;
    std::array<std::size_t, kPackColumns> widths{};
    cells.emplace_back();
    for (int c = 0; c < kPackColumns; ++c) {
        cells.back()[c] = kPackHeadings[c];
    }
    for (const PackRow& row : rows) {
        cells.emplace_back();
        for (int c = 0; c < kPackColumns; ++c) {
            cells.back()[c] = c == 0 ? EscapeControls(row.pack) : PackCell(row, c);
        }
    }
    for (const auto& line : cells) {
        for (int c = 0; c < kPackColumns; ++c) {
            widths[c] = std::max(widths[c], line[c].size());
        }
    }
    std::ostringstream out;
    for (const auto& line : cells) {
        std::string text;
        for (int c = 0; c < kPackColumns; ++c) {
            const std::string pad(widths[c] - line[c].size(), ' ');
            // The name and the dates left-aligned, numbers right-aligned.
            const bool left = c == 0 || c >= 6;
            text += (left ? line[c] + pad : pad + line[c]) + "  ";
        }
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        out << text << '\n';
    }
    return out.str();
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
