#pragma once
// What the 16-character version string of a device tells the program:
//
//   T V K A 2 0 1 4 1 L 4 0 0 3 1 2
//   0 1 2 3 4 5 6 7 8 9 ...
//       \_/         \_____/
//      series     hardware code (names the config.ini profile);
//                 character 8 = '1' means a flight data logger is attached
//
// Series: K A Tarrow, K B Velmor, K C Ostrin, Z A Peldan.

#include <string>

namespace tavix {

inline constexpr int kSeriesTarrow = 0;
inline constexpr int kSeriesVelmor = 1;
inline constexpr int kSeriesOstrin = 2;
inline constexpr int kSeriesPeldan = 3;
inline constexpr int kSeriesUnknown = -1;

inline constexpr std::size_t kVersionLength = 16;

// Characters 8-11; shorter when the version is (never longer).
std::string HardwareCodeOf(const std::string& version);
// 0-3 by characters 2 and 3, or kSeriesUnknown.
int SeriesOf(const std::string& version);
// "Tarrow", "Velmor", "Ostrin", "Peldan", or "unknown".
const char* SeriesName(int series);
bool HasLogger(const std::string& version);

}  // namespace tavix
