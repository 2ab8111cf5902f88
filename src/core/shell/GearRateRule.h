#pragma once
// The main form's "Gear Rate :" field. The gear rate goes into every uploaded
// record and into the motor RPM of its curves, always with two decimals.
// While the user types, the field shows the value rounded to two decimals,
// except while the text ends in "." or "0" (so "1." and "2.50" can still be
// typed on to "1.5" and "2.505").

#include <string>

namespace tavix {

// The value rounded to two decimals: formatted with "%.2f" and read back.
float RoundGearRate(double value);

// The largest gear rate taken: far beyond any model's gearing, and small
// enough that the RPM computed with it stays a finite number.
inline constexpr double kMaxGearRate = 1000.0;

// Whether a gear rate from outside (config.ini, a record file, the command
// line) is one: a number above 0 once rounded to two decimals, and at most
// kMaxGearRate.
bool IsUsableGearRate(double value);

// The one check every gear rate from outside gets (the form's start value from
// config.ini, a record file being opened, the command-line upload): rounded,
// and 1 when it is no usable gear rate (0 or below, infinite, not a number).
float InitialGearRate(double configured);

// A motor has at least one pole pair: a smaller pole number (from config.ini
// or typed) would give no RPM, or a negative one.
inline constexpr int kMinPoleNumber = 2;
inline bool IsUsablePoleNumber(long long poles) {
    return poles >= kMinPoleNumber;
}
// The pole number of a record file being opened: one of 0 or below (which
// would give an infinite or negative RPM) becomes kMinPoleNumber, as a gear
// rate that is none becomes 1; any other stays as stored.
inline int RecordPoleNumber(long long stored) {
    return stored <= 0 ? kMinPoleNumber : static_cast<int>(stored);
}

// How the field shows a value: "%.2f" without trailing zeros ("3.46", "1.5", "2").
std::string GearRateText(float value);

struct GearRateEdit {
    bool valid = false;    // the text holds a number (else the value stays as it was)
    float value = 0.0f;    // the number, rounded to two decimals
    bool rewrite = false;  // the field is to show `text` instead of what was typed
    std::string text;
};

// The field's text was changed by the user to `typed`.
GearRateEdit EditGearRate(const std::string& typed);

}  // namespace tavix
