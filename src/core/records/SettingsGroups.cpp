#include "records/SettingsGroups.h"

#include <algorithm>
#include <sstream>

#include "analysis/FlightEvents.h"
#include "base/OutsideText.h"
#include "base/PathText.h"

namespace tavix {

namespace {

bool SameSettings(const std::vector<NamedValue>& a, const std::vector<NamedValue>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    const std::vector<ValueDiff> diffs = DiffValues(a, b);
    return std::none_of(diffs.begin(), diffs.end(), [](const ValueDiff& d) { return d.differs; });
}

// Mean (or, with `highest`, the highest) of the flights' figure, over the
// flights that have it.
template <typename Figure>
std::optional<double> Over(const std::vector<LogbookEntry>& entries,
                           const std::vector<std::size_t>& flights, Figure figure,
                           bool highest = false) {
    double sum = 0.0;
    double top = 0.0;
    int count = 0;
    for (std::size_t i : flights) {
        const auto value = figure(entries[i]);
        if (!value) {
            continue;
        }
        const double v = static_cast<double>(*value);
        top = count == 0 ? v : std::max(top, v);
        sum += v;
        ++count;
    }
    if (count == 0) {
        return std::nullopt;
    }
    return highest ? top : sum / count;
}

std::string Shown(const std::optional<double>& value, int decimals) {
    return value ? PointNumber(*value, decimals) : std::string();
}

std::string Changes(const SettingsGroup& group) {
    std::string text;
    for (const std::string& change : group.changed) {
        text += (text.empty() ? "" : "; ") + change;
    }
    return text;
}

}  // namespace

std::vector<SettingsGroup> GroupBySettings(const std::vector<LogbookEntry>& entries) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].ok) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return LogbookLess(entries[a], entries[b], LogbookColumn::Date);
    });

    std::vector<SettingsGroup> groups;
    for (std::size_t i : order) {
        const LogbookEntry& entry = entries[i];
        if (groups.empty() || !SameSettings(groups.back().settings, entry.settings)) {
            SettingsGroup group;
            group.number = static_cast<int>(groups.size()) + 1;
            group.settings = entry.settings;
            // A group of records that kept no settings says so; the next
            // group that did is compared with the last one known before it.
            const auto known = std::find_if(groups.rbegin(), groups.rend(),
                                            [](const auto& g) { return !g.settings.empty(); });
            if (group.settings.empty()) {
                group.changed.push_back("settings not stored");
            } else if (known != groups.rend()) {
                for (const ValueDiff& d : DiffValues(known->settings, group.settings)) {
                    if (d.differs) {
                        group.changed.push_back(d.name + ": " + d.a + " -> " + d.b);
                    }
                }
            }
            groups.push_back(std::move(group));
        }
        groups.back().flights.push_back(i);
    }
    for (SettingsGroup& g : groups) {
        g.firstFlight = entries[g.flights.front()].name;
        g.lastFlight = entries[g.flights.back()].name;
        g.meanSeconds = Over(entries, g.flights, [](const LogbookEntry& e) { return e.seconds; });
        g.meanMah = Over(entries, g.flights, [](const LogbookEntry& e) { return e.capacityMah; });
        g.maxTemperature = Over(
            entries, g.flights, [](const LogbookEntry& e) { return e.maxTemperature; }, true);
        g.meanPeakCurrent =
            Over(entries, g.flights, [](const LogbookEntry& e) { return e.maxCurrent; });
    }
    return groups;
}

std::array<std::size_t, 2> FlightsAcross(const SettingsGroup& a, const SettingsGroup& b) {
    const SettingsGroup& earlier = a.number <= b.number ? a : b;
    const SettingsGroup& later = a.number <= b.number ? b : a;
    return {earlier.flights.back(), later.flights.front()};
}

std::string SettingsGroupsTable(const std::vector<SettingsGroup>& groups) {
    std::ostringstream out;
    for (const SettingsGroup& g : groups) {
        out << "Group " << g.number << ": " << g.flights.size() << " flight(s), "
            << PathText(g.firstFlight);
        if (g.flights.size() > 1) {
            out << " to " << PathText(g.lastFlight);
        }
        out << "\n  mean duration " << Shown(g.meanSeconds, 1) << " s, mean " << Shown(g.meanMah, 0)
            << " mAh, highest temperature " << Shown(g.maxTemperature, 1)
            << " C, mean peak current " << Shown(g.meanPeakCurrent, 1) << " A\n";
        for (const std::string& change : g.changed) {
            out << "  changed: " << EscapeControls(change) << '\n';
        }
    }
    return out.str();
}

std::string SettingsGroupsCsv(const std::vector<SettingsGroup>& groups) {
    std::ostringstream out;
    out << "group,flights,first_flight,last_flight,mean_duration_s,mean_mah,max_temp_c,"
           "mean_peak_current_a,settings_changed\r\n";
    for (const SettingsGroup& g : groups) {
        out << g.number << ',' << g.flights.size() << ',' << CsvTextCell(g.firstFlight) << ','
            << CsvTextCell(g.lastFlight) << ',' << Shown(g.meanSeconds, 1) << ','
            << Shown(g.meanMah, 0) << ',' << Shown(g.maxTemperature, 1) << ','
            << Shown(g.meanPeakCurrent, 1) << ',' << CsvTextCell(EscapeControls(Changes(g)))
            << "\r\n";
    }
    return out.str();
}

}  // namespace tavix
