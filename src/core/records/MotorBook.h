#pragma once
// The motors of a logbook: each flight's motor figures, by model and in the
// order they were flown, with the alerts of its trend, as `tavix-cli motor`
// prints them and the logbook's "Models" view shows them.

#include <array>
#include <string>
#include <vector>

#include "analysis/MotorHealth.h"
#include "base/Translate.h"
#include "records/Logbook.h"

namespace tavix {

enum class MotorColumn { File, Date, Model, Steady, Kv, Rm, PropK, Efficiency, Alert };
inline constexpr int kMotorColumns = 9;
// Headings of the table and of the window's view, by MotorColumn.
inline constexpr std::array<const char*, kMotorColumns> kMotorHeadings{
    TAVIX_TR("File"),         TAVIX_TR("Date and time"), TAVIX_TR("Model"),
    TAVIX_TR("Steady (s)"),   TAVIX_TR("Kv (rpm/V)"),    TAVIX_TR("Rm (mOhm)"),
    TAVIX_TR("k (W/krpm^3)"), TAVIX_TR("Eff. (%)"),      TAVIX_TR("Alert")};
// The CSV's header: these exact names, for scripts.
inline constexpr const char* kMotorCsvHeader =
    "file,model,steady_s,kv_rpm_per_v,rm_mohm,prop_k,efficiency_pct,alert";
// When no flight of the folder names its model.
inline constexpr const char* kMsgNoModels =
    TAVIX_TR("No record names its model. A note line reading \"Model: NAME\" does.");

// The opened entries as motor flights (those that could not be opened are left out).
std::vector<MotorFlight> MotorFlights(const std::vector<LogbookEntry>& entries);

// A cell's text: numbers with a decimal point whatever the locale, none for
// a flight without figures (its alert cell then says "not enough steady
// flight"); the file name and the model stay as stored (GBK bytes).
std::string MotorCell(const MotorFlight& flight, MotorColumn column);

// The flights (MotorHistory's order) as an aligned table with a line of
// medians per model after it (names with control characters escaped), and
// as CSV (kMotorCsvHeader, 2 decimals, text cells formula-safe).
std::string MotorTable(const std::vector<MotorFlight>& history);
std::string MotorCsv(const std::vector<MotorFlight>& history);

}  // namespace tavix
