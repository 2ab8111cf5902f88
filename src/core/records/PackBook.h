#pragma once
// The packs of a logbook: one row per battery pack named by its flights'
// notes, as `tavix-cli packs` prints it and the logbook's "Packs" view shows it.

#include <array>
#include <string>
#include <vector>

#include "analysis/PackTrend.h"
#include "base/Translate.h"
#include "records/Logbook.h"

namespace tavix {

inline constexpr int kPackColumns = 8;
// Headings of the table and of the window's view.
inline constexpr std::array<const char*, kPackColumns> kPackHeadings{
    TAVIX_TR("Pack"),         TAVIX_TR("Flights"),    TAVIX_TR("Total (mAh)"),
    TAVIX_TR("Mean (mAh)"),   TAVIX_TR("Min.V/Cell"), TAVIX_TR("R (mOhm)"),
    TAVIX_TR("First flight"), TAVIX_TR("Last flight")};
// The CSV's header: these exact names, for scripts.
inline constexpr const char* kPacksCsvHeader =
    "pack,flights,total_mah,mean_mah,min_cell_v,resistance_mohm,first_flight,last_flight";
// When no flight of the folder names its pack.
inline constexpr const char* kMsgNoPacks =
    TAVIX_TR("No record names its pack. A note whose first line reads \"Pack: NAME\" does.");

// The opened entries as flights of their packs.
std::vector<PackFlight> PackFlights(const std::vector<LogbookEntry>& entries);

// A cell's text, numbers with a decimal point whatever the locale ("" for a
// value no flight gave); the pack name stays as stored (GBK bytes).
std::string PackCell(const PackRow& row, int column);

// As an aligned table (pack names with control characters escaped) and as
// CSV (kPacksCsvHeader, then one row per pack, names as formula-safe cells).
std::string PacksTable(const std::vector<PackRow>& rows);
std::string PacksCsv(const std::vector<PackRow>& rows);

}  // namespace tavix
