#pragma once
// Captions and formats of the computed flight quantities, shared by the record
// page's panel, the logbook and tavix-cli, so tests compare against the same
// constants.

#include "base/Translate.h"

namespace tavix {

inline constexpr const char* kQuantityMaxPower = TAVIX_TR("Max.Power");
inline constexpr const char* kCaptionCapacity = TAVIX_TR("Capacity");
inline constexpr const char* kCaptionEnergy = TAVIX_TR("Energy");
inline constexpr const char* kCaptionAverageCurrent = TAVIX_TR("Avg.Current");
inline constexpr const char* kCaptionCells = TAVIX_TR("Cells");
inline constexpr const char* kCaptionMinCellVoltage = TAVIX_TR("Min.V/Cell");
inline constexpr const char* kCaptionResistance = TAVIX_TR("Resistance");
inline constexpr const char* kCaptionPack = TAVIX_TR("Pack");
inline constexpr const char* kCaptionEvents = TAVIX_TR("Events");
// The motor's figures of a flight (analysis/MotorHealth).
inline constexpr const char* kCaptionKv = "Kv";
inline constexpr const char* kCaptionRm = "Rm";
inline constexpr const char* kCaptionPropK = TAVIX_TR("Prop k");
inline constexpr const char* kCaptionMotorEfficiency = TAVIX_TR("Eff.");
inline constexpr const char* kCaptionSteady = TAVIX_TR("Steady");
inline constexpr const char* kCaptionModel = TAVIX_TR("Model");
inline constexpr const char* kMotorFiguresTip = TAVIX_TR(
    "The motor from the flight's steady stretches: Kv (rpm per volt), winding resistance Rm, "
    "the propeller's load k (shaft watts per 1000 rpm cubed), the motor's mean efficiency and "
    "the seconds of steady flight they come from (at least 5 s)");

inline constexpr const char* kFormatPower = "%5.1f W";
inline constexpr const char* kFormatCapacity = "%.0f mAh";
inline constexpr const char* kFormatEnergy = "%.2f Wh";
inline constexpr const char* kFormatCurrent = "%.1f A";
inline constexpr const char* kFormatCells = "%dS";
inline constexpr const char* kFormatCellVoltage = "%.2f V";

// A comparison of flights: the captions of its table, beside the ones above.
inline constexpr const char* kFigureDuration = TAVIX_TR("Duration");
inline constexpr const char* kFigureMaxCurrent = TAVIX_TR("Max.Current");
inline constexpr const char* kFigureMinVoltage = TAVIX_TR("Min.Voltage");
inline constexpr const char* kFigureMaxTemperature = TAVIX_TR("Max.Temperature");
inline constexpr const char* kFigureMaxRpm = TAVIX_TR("Max.RPM");
inline constexpr const char* kCaptionAlignedAt = TAVIX_TR("Aligned at (s)");
inline constexpr const char* kCaptionOffset = TAVIX_TR("Offset (s)");
inline constexpr const char* kTextNotReached = TAVIX_TR("not reached, start");
inline constexpr const char* kCaptionBetweenCursors = TAVIX_TR("Between the cursors");
inline constexpr const char* kCaptionSettingsDiffer = TAVIX_TR("ESC settings that differ");
inline constexpr const char* kCaptionSettingsSame = TAVIX_TR("ESC settings: the same");
inline constexpr const char* kCaptionSettingsMissing =
    TAVIX_TR("ESC settings: not stored in enough records");
inline constexpr const char* kCaptionSettingsStored = TAVIX_TR("Stored");
inline constexpr const char* kTextYes = TAVIX_TR("yes");
inline constexpr const char* kTextNo = TAVIX_TR("no");
inline constexpr const char* kHeadDifference = TAVIX_TR("difference");
inline constexpr const char* kCompareCsvHeader =
    "file,align_s,duration_s,mah,wh,avg_current_a,max_current_a,max_power_w,min_voltage_v,"
    "min_cell_v,max_temp_c,max_rpm";

// What a value reads when the record cannot give it (no sampling rate, no
// voltage or current channel, no voltage above 0).
inline constexpr const char* kNoValue = "-";

}  // namespace tavix
