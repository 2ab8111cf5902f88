#include "records/MotorBook.h"

#include "analysis/FlightEvents.h"
#include "base/OutsideText.h"
#include "base/PathText.h"
#include "records/RecordSummary.h"
#include "records/TextTable.h"

namespace tavix {

namespace {

// Decimals of the table and the window; the CSV has 2 everywhere.
int Decimals(MotorColumn column) {
    switch (column) {
        case MotorColumn::Kv:
            return 0;
        case MotorColumn::PropK:
            return 3;
        default:
            return 1;
    }
}

std::string FigureText(const MotorFlight& flight, MotorColumn column, int decimals) {
    if (column == MotorColumn::Steady) {
        return PointNumber(flight.estimate.steadySeconds, decimals);
    }
    if (!flight.estimate.figures) {
        return std::string();
    }
    const MotorFigures& f = *flight.estimate.figures;
    switch (column) {
        case MotorColumn::Kv:
            return PointNumber(f.kv, decimals);
        case MotorColumn::Rm:
            return PointNumber(f.rmOhm * 1000.0, decimals);
        case MotorColumn::PropK:
            return PointNumber(f.propK, decimals);
        case MotorColumn::Efficiency:
            return PointNumber(f.efficiency * 100.0, decimals);
        default:
            return std::string();
    }
}

std::string AlertCell(const MotorFlight& flight) {
    return flight.estimate.figures ? AlertText(flight) : std::string(kMsgNotEnoughSteady);
}

}  // namespace

std::vector<MotorFlight> MotorFlights(const std::vector<LogbookEntry>& entries) {
    std::vector<MotorFlight> flights;
    for (const LogbookEntry& e : entries) {
        if (e.ok) {
            flights.push_back({e.name, e.model, e.time, e.motor});
        }
    }
    return flights;
}

std::string MotorCell(const MotorFlight& flight, MotorColumn column) {
    switch (column) {
        case MotorColumn::File:
            return PathText(flight.file);
        case MotorColumn::Date:
            return LocalTimeText(flight.time);
        case MotorColumn::Model:
            return flight.model;
        case MotorColumn::Alert:
            return AlertCell(flight);
        default:
            return FigureText(flight, column, Decimals(column));
    }
}

std::string MotorTable(const std::vector<MotorFlight>& history) {
    std::vector<std::vector<std::string>> lines(1);
    for (const char* heading : kMotorHeadings) {
        lines.back().push_back(heading);
    }
    for (const MotorFlight& flight : history) {
        lines.emplace_back();
        for (int c = 0; c < kMotorColumns; ++c) {
            lines.back().push_back(EscapeControls(MotorCell(flight, static_cast<MotorColumn>(c))));
        }
    }
    std::vector<bool> left(kMotorColumns, false);
    left[0] = left[1] = left[2] = left[8] = true;
    std::string out = AlignedTable(lines, left);

    const std::vector<ModelTrend> trends = SummarizeModels(history);
    if (!trends.empty()) {
        out += "\nMedians per model:\n";
    }
    for (const ModelTrend& t : trends) {
        out += "  " + EscapeControls(t.model) + ": " + std::to_string(t.flights.size()) +
               (t.flights.size() == 1 ? " flight" : " flights");
        if (t.kv) {
            out += ", Kv " + PointNumber(*t.kv, 0) + " rpm/V, Rm " +
                   PointNumber(*t.rmOhm * 1000.0, 1) + " mOhm, k " + PointNumber(*t.propK, 3);
        } else {
            out += std::string(", ") + kMsgNotEnoughSteady;
        }
        if (t.alerts > 0) {
            out += ", " + std::to_string(t.alerts) + (t.alerts == 1 ? " alert" : " alerts");
        }
        out += '\n';
    }
    return out;
}

std::string MotorCsv(const std::vector<MotorFlight>& history) {
    std::string out = std::string(kMotorCsvHeader) + "\r\n";
    for (const MotorFlight& flight : history) {
        out += CsvTextCell(PathText(flight.file)) + ',' + CsvTextCell(flight.model);
        for (MotorColumn column : {MotorColumn::Steady, MotorColumn::Kv, MotorColumn::Rm,
                                   MotorColumn::PropK, MotorColumn::Efficiency}) {
            out += ',' + FigureText(flight, column, 2);
        }
        out += ',' + CsvTextCell(AlertCell(flight)) + "\r\n";
    }
    return out;
}

}  // namespace tavix
