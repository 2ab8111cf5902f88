#pragma once
// How a motor and its propeller are doing, worked out from one flight's
// voltage, current, throttle and RPM, and per model over its flights.
//
// Steady samples: throttle at least 20 %, an RPM reading above 0, current
// above 1 A, and the throttle within 2 percentage points of its value 0.5 s
// earlier (the motor has caught up with the stick). The values are the
// smoothed, calibrated ones the curves draw (SpanIndex).
//
// The ESC chops the battery voltage with the throttle's duty cycle, so the
// motor sees Vm = Vbattery x throttle / 100 and carries Im = Ibattery x 100 /
// throttle (the same power on both sides). A motor turns at
// rpm = Kv (Vm - Im Rm), so rpm / Vm = Kv - Kv Rm (Im / Vm): a least-squares
// line through the steady samples' (Im / Vm, rpm / Vm) gives Kv as its
// intercept a and the winding resistance Rm = -b / a from its slope b.
//
// The propeller takes a shaft power of k (rpm / 1000)^3; the motor delivers
// (Vm - Im Rm) Im, so each steady sample gives k, and the flight's k is their
// median (gusts and climbs pull single samples either way). The efficiency of
// a sample is that shaft power over the battery's power (Vm Im).
//
// A flight says "not enough steady flight" instead of figures when it has
// less than 5 s of steady samples, or when its fit explains little: R^2 below
// 0.5 means the load explains less of the spread of rpm / Vm than noise does
// (a flight at one throttle all along leaves the slope to chance), and a
// rising line (negative Rm) or a Kv of 0 or less is no motor at all.
//
// Per model (named by the note's "Model: NAME" line) the flights are taken in
// the order they were flown; a flight is compared with the median of the
// model's earlier flights: Kv more than 5 % down (magnets weakened by heat),
// k more than 10 % away (another or a damaged propeller), Rm more than 20 %
// up (windings or connections).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/FlightQuantities.h"
#include "analysis/SpanIndex.h"
#include "base/Translate.h"

namespace tavix {

inline constexpr double kSteadyMinThrottle = 20.0;  // %
inline constexpr double kSteadyMinMotorAmps = 1.0;  // battery current
inline constexpr double kSteadyThrottleBand = 2.0;  // percentage points
inline constexpr double kSteadyLagSeconds = 0.5;
inline constexpr double kMotorMinSteadySeconds = 5.0;
inline constexpr double kMotorMinFitR2 = 0.5;

inline constexpr double kAlertKvDrop = 0.05;
inline constexpr double kAlertPropMove = 0.10;
inline constexpr double kAlertRmRise = 0.20;

inline constexpr const char* kMsgNotEnoughSteady = TAVIX_TR("not enough steady flight");
// The alerts, with the change in whole percent.
inline constexpr const char* kAlertKvDown = TAVIX_TR("Kv down %s %%: magnets heat-damaged?");
inline constexpr const char* kAlertPropUp = TAVIX_TR("k up %s %%: propeller changed or damaged?");
inline constexpr const char* kAlertPropDown =
    TAVIX_TR("k down %s %%: propeller changed or damaged?");
inline constexpr const char* kAlertRmUp = TAVIX_TR("Rm up %s %%: windings or connections damaged?");

struct MotorFigures {
    double kv = 0.0;          // rpm per volt
    double rmOhm = 0.0;       // winding resistance
    double propK = 0.0;       // watts per (1000 rpm)^3
    double efficiency = 0.0;  // mean over the steady samples, 0..1
    double r2 = 0.0;          // of the fit
};

struct MotorEstimate {
    int steadySamples = 0;
    double steadySeconds = 0.0;
    // Empty: not enough steady flight.
    std::optional<MotorFigures> figures;
};

// The battery-side series of a flight, sample by sample.
struct MotorSeries {
    std::span<const float> volts;
    std::span<const float> amps;
    std::span<const float> throttle;  // %
    std::span<const float> rpm;
    int rate = 0;  // samples per second; 0 reads as 1
};

// The steady samples, in time order.
std::vector<int> SteadySamples(const MotorSeries& series);
MotorEstimate EstimateMotor(const MotorSeries& series);
// A record's estimate from its index (no steady sample without the voltage,
// current, throttle and RPM channels).
MotorEstimate FlightMotor(const SpanIndex& index);

// The figures as captions (analysis/AnalysisMessages.h) with their values,
// always the same five: Kv, Rm, Prop k (W per krpm cubed), Eff. and Steady;
// without figures the four read "-" and Steady "2.4 s: not enough steady flight".
std::vector<QuantityText> MotorTexts(const MotorEstimate& estimate);

// What a model's trend needs from one flight.
struct MotorFlight {
    std::string file;  // the record's file name
    std::string model;
    std::int64_t time = 0;  // seconds since 1970
    MotorEstimate estimate;
    std::vector<MessageParts> alerts{};  // filled by MotorHistory
};

// The alerts of a flight against the figures of the model's earlier flights
// (none when nothing moved, or without earlier figures).
std::vector<MessageParts> MotorAlerts(const MotorFigures& flight,
                                      const std::vector<MotorFigures>& earlier);
// The same as one text, several joined by "; ".
std::string MotorAlert(const MotorFigures& flight, const std::vector<MotorFigures>& earlier);
// A flight's alerts as one text: in English for files and the command line,
// and as the window shows them, in its language.
std::string AlertText(const MotorFlight& flight);
std::string ShownAlert(const MotorFlight& flight);

// The flights by model (names in byte order, flights without a model last),
// each model's by the time they were flown, with their alerts.
std::vector<MotorFlight> MotorHistory(std::vector<MotorFlight> flights);

struct ModelTrend {
    std::string model;
    std::vector<MotorFlight> flights;  // by time, with their alerts
    // Medians over the flights with figures.
    std::optional<double> kv;
    std::optional<double> rmOhm;
    std::optional<double> propK;
    int alerts = 0;
};

// One trend per named model, by name; flights without a model are left out.
std::vector<ModelTrend> SummarizeModels(std::vector<MotorFlight> flights);

}  // namespace tavix
