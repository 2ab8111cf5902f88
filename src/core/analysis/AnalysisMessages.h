#pragma once
// Captions and formats of the computed flight quantities, shared by the record
// page's panel, the logbook and tavix-cli, so tests compare against the same
// constants.

namespace tavix {

inline constexpr const char* kQuantityMaxPower = "Max.Power";
inline constexpr const char* kCaptionCapacity = "Capacity";
inline constexpr const char* kCaptionEnergy = "Energy";
inline constexpr const char* kCaptionAverageCurrent = "Avg.Current";
inline constexpr const char* kCaptionCells = "Cells";
inline constexpr const char* kCaptionMinCellVoltage = "Min.V/Cell";
inline constexpr const char* kCaptionResistance = "Resistance";
inline constexpr const char* kCaptionPack = "Pack";
inline constexpr const char* kCaptionEvents = "Events";

inline constexpr const char* kFormatPower = "%5.1f W";
inline constexpr const char* kFormatCapacity = "%.0f mAh";
inline constexpr const char* kFormatEnergy = "%.2f Wh";
inline constexpr const char* kFormatCurrent = "%.1f A";
inline constexpr const char* kFormatCells = "%dS";
inline constexpr const char* kFormatCellVoltage = "%.2f V";

// What a value reads when the record cannot give it (no sampling rate, no
// voltage or current channel, no voltage above 0).
inline constexpr const char* kNoValue = "-";

}  // namespace tavix
