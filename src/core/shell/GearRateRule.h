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

// The start value of the field from the configured gear rate: rounded, and 1
// when the configured value is 0 or below (or no finite number at all).
float InitialGearRate(double configured);

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
