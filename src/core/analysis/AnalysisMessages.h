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
// The motor's figures of a flight (analysis/MotorHealth).
inline constexpr const char* kCaptionKv = "Kv";
inline constexpr const char* kCaptionRm = "Rm";
inline constexpr const char* kCaptionPropK = "Prop k";
inline constexpr const char* kCaptionMotorEfficiency = "Motor eff.";
inline constexpr const char* kCaptionSteady = "Steady";
inline constexpr const char* kCaptionModel = "Model";
inline constexpr const char* kMotorFiguresTip =
    "The motor from the flight's steady stretches: Kv (rpm per volt), winding resistance Rm, "
    "the propeller's load k (shaft watts per 1000 rpm cubed), the motor's mean efficiency and "
    "the seconds of steady flight they come from";

inline constexpr const char* kFormatPower = "%5.1f W";
inline constexpr const char* kFormatCapacity = "%.0f mAh";
inline constexpr const char* kFormatEnergy = "%.2f Wh";
inline constexpr const char* kFormatCurrent = "%.1f A";
inline constexpr const char* kFormatCells = "%dS";
inline constexpr const char* kFormatCellVoltage = "%.2f V";

// A comparison of flights: the captions of its table, beside the ones above.
inline constexpr const char* kFigureDuration = "Duration";
inline constexpr const char* kFigureMaxCurrent = "Max.Current";
inline constexpr const char* kFigureMinVoltage = "Min.Voltage";
inline constexpr const char* kFigureMaxTemperature = "Max.Temperature";
inline constexpr const char* kFigureMaxRpm = "Max.RPM";
inline constexpr const char* kCaptionAlignedAt = "Aligned at (s)";
inline constexpr const char* kCaptionOffset = "Offset (s)";
inline constexpr const char* kTextNotReached = "not reached, start";
inline constexpr const char* kCaptionBetweenCursors = "Between the cursors";
inline constexpr const char* kCaptionSettingsDiffer = "ESC settings that differ";
inline constexpr const char* kCaptionSettingsSame = "ESC settings: the same";
inline constexpr const char* kCaptionSettingsMissing = "ESC settings: not stored in enough records";
inline constexpr const char* kCaptionSettingsStored = "Stored";
inline constexpr const char* kTextYes = "yes";
inline constexpr const char* kTextNo = "no";
inline constexpr const char* kHeadDifference = "difference";
inline constexpr const char* kCompareCsvHeader =
    "file,align_s,duration_s,mah,wh,avg_current_a,max_current_a,max_power_w,min_voltage_v,"
    "min_cell_v,max_temp_c,max_rpm";

// What a value reads when the record cannot give it (no sampling rate, no
// voltage or current channel, no voltage above 0).
inline constexpr const char* kNoValue = "-";

}  // namespace tavix
