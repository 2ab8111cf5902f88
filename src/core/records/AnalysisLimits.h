#pragma once
// The limits of the flight events, kept in [analysis] of config.ini:
//   cellmin     lowest voltage per cell, V (3.3)
//   tempmax     highest temperature, C (90)
//   currentmax  highest current, A; 0 or absent finds bursts by the flight's
//               own level instead
// The section is written only when the user changes a limit in the window;
// until then the defaults hold and config.ini stays as it was.

#include "analysis/FlightEvents.h"
#include "base/Translate.h"
#include "config/CIniFile.h"

namespace tavix {

inline constexpr const char* kMsgLimitsNotSaved =
    TAVIX_TR("The event limits hold for this run, but could not be saved in %s (%s).");

inline constexpr const char* kIniAnalysisSection = "analysis";
inline constexpr const char* kIniCellMinEntry = "cellmin";
inline constexpr const char* kIniTempMaxEntry = "tempmax";
inline constexpr const char* kIniCurrentMaxEntry = "currentmax";

// Sensible ranges; a value outside (or not a number) reads as the default.
inline constexpr double kCellMinLow = 2.0, kCellMinHigh = 4.5;
inline constexpr double kTempMaxLow = 20.0, kTempMaxHigh = 200.0;
inline constexpr double kCurrentMaxHigh = 1000.0;

EventLimits ReadEventLimits(const CIniFile& ini);
// Puts the limits that differ from what config.ini holds (the section and
// entries created as needed) and saves the file; true when nothing needed
// writing. False when the file could not be written (the limits still hold
// in memory).
bool WriteEventLimits(CIniFile& ini, const EventLimits& limits);

}  // namespace tavix
