#pragma once
// What each ESC parameter does for the pilot, one line each, as the page's
// tooltips and `tavix-cli esc read --explain` give them. A parameter that
// several series share means the same on each, so its line is written once
// here and each series table's row points at it.

#include "base/Translate.h"

namespace tavix::explain {

inline constexpr const char* kLowVoltageCutoff = TAVIX_TR(
    "Pack voltage at which the ESC cuts or reduces power to protect the battery; Auto counts "
    "the cells at power-up.");
inline constexpr const char* kCellCutoff = TAVIX_TR(
    "Voltage per cell at which the low-voltage cut-off acts: higher spares the pack, lower "
    "gives longer runs.");
inline constexpr const char* kPeldanCells = TAVIX_TR(
    "Number of cells the low-voltage cut-off counts with (times the voltage per cell); Auto "
    "counts them at power-up.");
inline constexpr const char* kCurrentLimiting = TAVIX_TR(
    "How readily the ESC cuts power back when the current gets too high; Close turns the "
    "protection off.");
inline constexpr const char* kBrakeTypes = TAVIX_TR(
    "What the motor does when the throttle is closed: spin freely, or brake softly or hard "
    "(for folding propellers).");
inline constexpr const char* kTimingAdvance = TAVIX_TR(
    "Motor timing: Low runs cooler and suits many-pole motors, High gives more RPM and power "
    "but more heat; Auto lets the ESC choose.");
inline constexpr const char* kCutoffType = TAVIX_TR(
    "At the low-voltage limit, Soft Cutoff reduces power gradually so you can land; Hard "
    "Cutoff stops the motor at once.");
inline constexpr const char* kStartupType = TAVIX_TR(
    "How quickly the motor spins up from standstill: soft spares gears and propellers, fast "
    "responds at once.");
inline constexpr const char* kGovernorMode = TAVIX_TR(
    "Holds the motor speed steady against load (helicopter head speed); Low or High picks the "
    "speed range it governs.");
inline constexpr const char* kPwmRate = TAVIX_TR(
    "Switching frequency of the ESC: higher runs smoother and suits low-inductance motors, "
    "lower keeps the ESC cooler.");
inline constexpr const char* kOverheat = TAVIX_TR(
    "Cuts power when the ESC gets hotter than the limit, to save it; Close turns the "
    "protection off.");
inline constexpr const char* kNeutralRange = TAVIX_TR(
    "Dead band around the throttle's neutral in which the motor stays off; wider forgives a "
    "transmitter that drifts.");
inline constexpr const char* kRunningMode = TAVIX_TR(
    "Which ways the car may drive: forward with brake only, or with reverse after a stop or "
    "at once.");
inline constexpr const char* kDragBrake =
    TAVIX_TR("Brake the ESC applies by itself at neutral throttle, like engine braking.");
inline constexpr const char* kBrakeAmount = TAVIX_TR("Strongest brake force, at full brake.");
inline constexpr const char* kReverseAmount =
    TAVIX_TR("Power available in reverse, as part of full power.");
inline constexpr const char* kMotorType =
    TAVIX_TR("The motor connected: brushless, or a brushed motor (with or without brake).");
inline constexpr const char* kAbsBrakeRate =
    TAVIX_TR("How often per second the anti-lock brake lets go and grips again while braking.");
inline constexpr const char* kTemperatureOffset = TAVIX_TR(
    "A correction to the ESC's own temperature reading, 0-255; leave it at 0 unless told "
    "otherwise.");
inline constexpr const char* kThrottleRange = TAVIX_TR(
    "Throttle travel the ESC learned from the transmitter; set by calibrating with the "
    "transmitter, shown only.");
inline constexpr const char* kForwardRange = TAVIX_TR(
    "Throttle travel from neutral to full forward, learned from the transmitter; shown only.");
inline constexpr const char* kReverseRange = TAVIX_TR(
    "Throttle travel from neutral to full reverse, learned from the transmitter; shown only.");
inline constexpr const char* kNeutral =
    TAVIX_TR("Throttle pulse the ESC takes as neutral, learned from the transmitter; shown only.");

}  // namespace tavix::explain
