#pragma once
// What a settings change did: a folder's flights, in the order they were
// flown, cut into groups that flew with the same ESC settings. Each group
// tells how its flights went (duration, mAh, heat, peak current) and which
// settings changed from the group before, so a pilot sees whether
// "Timing Advance: Low -> High" cost heat or gained RPM.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/NamedValues.h"
#include "records/Logbook.h"

namespace tavix {

struct SettingsGroup {
    int number = 0;                    // counted from 1, in flight order
    std::vector<std::size_t> flights;  // indexes into the entries grouped
    std::vector<NamedValue> settings;  // empty: the flights kept no settings
    std::string firstFlight;           // file names
    std::string lastFlight;
    // Means over the flights that have the figure; empty when none has it.
    std::optional<double> meanSeconds;
    std::optional<double> meanMah;
    std::optional<double> maxTemperature;
    std::optional<double> meanPeakCurrent;
    // "Name: a -> b" for each setting that differs from the group before
    // (none for the first group).
    std::vector<std::string> changed;
};

// Groups `entries` (each opened record once; files that could not be opened
// are left out) in flight order: upload time, then flight number. A new
// group starts whenever a flight's settings differ from the flight before.
std::vector<SettingsGroup> GroupBySettings(const std::vector<LogbookEntry>& entries);

// The two flights that show what went on between groups `a` and `b` (either
// order): the last flight of the earlier group, the reference, then the
// first flight of the later one, as indexes into the entries grouped.
std::array<std::size_t, 2> FlightsAcross(const SettingsGroup& a, const SettingsGroup& b);

// As a table and as CSV with the columns group, flights, first_flight,
// last_flight, mean_duration_s, mean_mah, max_temp_c, mean_peak_current_a,
// settings_changed (the changes joined by "; ").
std::string SettingsGroupsTable(const std::vector<SettingsGroup>& groups);
std::string SettingsGroupsCsv(const std::vector<SettingsGroup>& groups);

}  // namespace tavix
