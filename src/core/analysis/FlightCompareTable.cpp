// The comparison as texts: the table the window and the CLI show, and the CSV.
#include <algorithm>
#include <cmath>

#include "analysis/AnalysisMessages.h"
#include "analysis/FlightCompare.h"
#include "analysis/FlightEvents.h"
#include "base/OutsideText.h"

namespace tavix {

namespace {

constexpr int kPercentDecimals = 1;

std::string Number(const std::optional<double>& value, int decimals) {
    return value ? PointNumber(*value, decimals) : std::string(kNoValue);
}

// A change with its sign: "+1.5", "-0.3", "0.0" (no sign on a change that
// rounds to nothing).
std::string Signed(double value, int decimals) {
    std::string text = PointNumber(value, decimals);
    const bool zero = text.find_first_not_of("-0.") == std::string::npos;
    if (zero && !text.empty() && text.front() == '-') {
        text.erase(0, 1);
    }
    return zero || value < 0.0 ? text : "+" + text;
}

// The difference as the table shows it: of the values as shown (so 8571 and
// 9197 differ by 626, not by the 625.4 of the unrounded values), its percent
// of the exact ones.
std::string DifferenceText(const std::optional<double>& value,
                           const std::optional<double>& reference, int decimals) {
    const FigureDifference d = DifferenceOf(value, reference);
    if (!d.absolute) {
        return std::string(kNoValue);
    }
    const double scale = std::pow(10.0, decimals);
    auto shown = [&](double x) { return std::round(x * scale) / scale; };
    std::string text = Signed(shown(*value) - shown(*reference), decimals);
    if (d.percent) {
        text += " (" + Signed(*d.percent, kPercentDecimals) + " %)";
    }
    return text;
}

void AddFigureRows(const std::vector<FigureValues>& figures, CompareTable& table) {
    for (int f = 0; f < kFigureCount; ++f) {
        const FigureInfo& info = InfoOf(static_cast<Figure>(f));
        CompareTable::Row row;
        row.caption = std::string(info.caption);
        if (*info.unit != '\0') {
            row.caption += std::string(" (") + info.unit + ")";
        }
        for (std::size_t i = 0; i < figures.size(); ++i) {
            row.values.push_back(Number(figures[i][f], info.decimals));
            row.differences.push_back(
                i == 0 ? std::string()
                       : DifferenceText(figures[i][f], figures[0][f], info.decimals));
        }
        table.rows.push_back(std::move(row));
    }
}

CompareTable::Row SectionRow(const char* caption) {
    return {CompareRowKind::Section, caption, {}, {}};
}

void AddSettingRows(const SettingsComparison& settings, std::size_t flights, CompareTable& table) {
    const std::vector<std::string> none(flights);
    if (!settings.Comparable()) {
        table.rows.push_back(SectionRow(kCaptionSettingsMissing));
        if (std::find(settings.stored.begin(), settings.stored.end(), true) !=
            settings.stored.end()) {
            CompareTable::Row row{CompareRowKind::Setting, kCaptionSettingsStored, {}, none};
            for (const bool stored : settings.stored) {
                row.values.push_back(stored ? kTextYes : kTextNo);
            }
            table.rows.push_back(std::move(row));
        }
        return;
    }
    if (settings.lines.empty()) {
        table.rows.push_back(SectionRow(kCaptionSettingsSame));
        return;
    }
    table.rows.push_back(SectionRow(kCaptionSettingsDiffer));
    for (const SettingsComparison::Line& line : settings.lines) {
        table.rows.push_back({CompareRowKind::Setting, line.name, line.values, none});
    }
}

// Columns of program text on a terminal: one per byte (a GBK character of two
// bytes is drawn two columns wide).
std::size_t Width(const std::string& text) {
    return text.size();
}

std::string PadLeft(const std::string& text, std::size_t width) {
    const std::size_t w = Width(text);
    return w >= width ? text : std::string(width - w, ' ') + text;
}

std::string PadRight(const std::string& text, std::size_t width) {
    const std::size_t w = Width(text);
    return w >= width ? text : text + std::string(width - w, ' ');
}

}  // namespace

CompareTable BuildCompareTable(const std::vector<ComparedFlight>& flights,
                               const FlightComparison& comparison) {
    CompareTable table;
    const std::size_t n = flights.size();
    for (const ComparedFlight& flight : flights) {
        table.flights.push_back(flight.name);
    }
    CompareTable::Row aligned{CompareRowKind::Alignment, kCaptionAlignedAt, {}, {}};
    CompareTable::Row offset{CompareRowKind::Alignment, kCaptionOffset, {}, {}};
    for (std::size_t i = 0; i < n && i < comparison.alignment.size(); ++i) {
        const FlightAlignment& a = comparison.alignment[i];
        const std::string at = PointNumber(a.seconds, 2);
        aligned.values.push_back(a.found ? at : at + " (" + kTextNotReached + ")");
        aligned.differences.emplace_back();
        offset.values.push_back(Signed(a.offsetSeconds, 2));
        offset.differences.emplace_back();
    }
    table.rows.push_back(std::move(aligned));
    table.rows.push_back(std::move(offset));
    AddFigureRows(comparison.figures, table);
    if (comparison.spanFigures) {
        table.rows.push_back(SectionRow(kCaptionBetweenCursors));
        AddFigureRows(*comparison.spanFigures, table);
    }
    AddSettingRows(comparison.settings, n, table);
    return table;
}

std::string CompareTableText(const CompareTable& table) {
    const std::size_t n = table.flights.size();
    // Column widths: captions, then per flight its value and its difference.
    std::size_t captionWidth = 0;
    std::vector<std::size_t> valueWidth(n), diffWidth(n);
    for (std::size_t i = 0; i < n; ++i) {
        valueWidth[i] = Width(table.flights[i]);
        diffWidth[i] = i == 0 ? 0 : Width(kHeadDifference);
    }
    for (const CompareTable::Row& row : table.rows) {
        if (row.kind == CompareRowKind::Section) {
            continue;
        }
        captionWidth = std::max(captionWidth, Width(row.caption));
        for (std::size_t i = 0; i < n && i < row.values.size(); ++i) {
            valueWidth[i] = std::max(valueWidth[i], Width(row.values[i]));
            if (i > 0 && i < row.differences.size()) {
                diffWidth[i] = std::max(diffWidth[i], Width(row.differences[i]));
            }
        }
    }
    auto line = [&](const std::string& caption, const std::vector<std::string>& values,
                    const std::vector<std::string>& differences) {
        std::string text = PadRight(caption, captionWidth);
        for (std::size_t i = 0; i < n; ++i) {
            text += "  " + PadLeft(i < values.size() ? values[i] : "", valueWidth[i]);
            if (i > 0) {
                text += "  " + PadLeft(i < differences.size() ? differences[i] : "", diffWidth[i]);
            }
        }
        text.erase(text.find_last_not_of(' ') + 1);
        return text + '\n';
    };
    std::vector<std::string> diffHeads(n, kHeadDifference);
    std::string out = line("", table.flights, diffHeads);
    for (const CompareTable::Row& row : table.rows) {
        out += row.kind == CompareRowKind::Section ? "\n" + row.caption + '\n'
                                                   : line(row.caption, row.values, row.differences);
    }
    return out;
}

std::string CompareCsv(const std::vector<ComparedFlight>& flights,
                       const FlightComparison& comparison) {
    std::string out = std::string(kCompareCsvHeader) + "\r\n";
    for (std::size_t i = 0; i < flights.size(); ++i) {
        out += CsvTextCell(flights[i].name);
        out += ',';
        if (i < comparison.alignment.size()) {
            out += PointNumber(comparison.alignment[i].seconds, 3);
        }
        for (int f = 0; f < kFigureCount; ++f) {
            out += ',';
            if (i < comparison.figures.size() && comparison.figures[i][f]) {
                out += PointNumber(*comparison.figures[i][f],
                                   InfoOf(static_cast<Figure>(f)).csvDecimals);
            }
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace tavix
