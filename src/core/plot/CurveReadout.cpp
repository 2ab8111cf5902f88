#include "plot/CurveReadout.h"

#include <algorithm>
#include <cmath>

#include "base/FormatText.h"
#include "flight/Conversion.h"
#include "plot/PlotMessages.h"

namespace tavix {

namespace {

// The value of a smoothed (or interpolated) sample, in single precision and
// the order of operations of the conversion.
float ValueOf(const FlightRecord& record, int channel, float smoothed) {
    if (channel == kMotorRpm) {
        return RpmValue(smoothed, record.header.poles, record.header.gearRate,
                        record.calibration[kMotorRpm].k);
    }
    return smoothed * record.calibration[channel].k + record.calibration[channel].c;
}

// A COLORREF (0x00BBGGRR) as the tooltip's "#rrggbb".
std::string HtmlColour(std::uint32_t colorref) {
    return FormatText("#%02x%02x%02x", static_cast<unsigned>(colorref & 0xFF),
                      static_cast<unsigned>((colorref >> 8) & 0xFF),
                      static_cast<unsigned>((colorref >> 16) & 0xFF));
}

}  // namespace

std::string ValueText(float value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value > 0 ? "inf" : "-inf";
    }
    if (value > kLargeValue) {
        return FormatText(kFmtLargeValue, static_cast<double>(std::trunc(value)));
    }
    return FormatText(kFmtValue, static_cast<double>(value));
}

void CurveReadout::ReadChannels(const FlightData& data, int channels, int samples, float f) {
    const FlightRecord& record = data.record;
    const int j = std::max(0, std::min(static_cast<int>(f), samples - 2));
    const float fraction = f - static_cast<float>(j);
    for (int i = 0; i < channels; ++i) {
        const std::int32_t* s = data.smoothed[i].data();
        // Between two samples the value runs straight from one to the next.
        const float slope =
            samples > 1 ? static_cast<float>(s[j + 1]) - static_cast<float>(s[j]) : 0.0f;
        const float h = static_cast<float>(s[j]) + fraction * slope;
        if (i == kMotorRpm && (s[j] == 0 || (samples > 1 && s[j + 1] == 0))) {
            // Next to a sample without a rotation reading (0 RPM) a period in
            // between would be a fraction of a real one and read as a burst
            // of speed: follow the drawn line from one speed to the other.
            const float from = ValueOf(record, i, static_cast<float>(s[j]));
            const float to = samples > 1 ? ValueOf(record, i, static_cast<float>(s[j + 1])) : from;
            values_[i] = from + fraction * (to - from);
        } else {
            values_[i] = ValueOf(record, i, h);
        }
        texts_[i] = ValueText(values_[i]);
        if (i == kTemperature) {
            fahrenheit_ =
                FormatText(kFmtFahrenheit, static_cast<double>(values_[i] * 9.0f / 5.0f + 32.0f));
        }
    }
}

void CurveReadout::ReadPower(const SeriesStore& store, int i, float f) {
    // Along the drawn power curve, as the channels along theirs.
    store.ValueAt(i, f, powerValue_);
    powerText_ = ValueText(powerValue_);
}

std::string CurveReadout::TooltipText(bool withPower, std::uint32_t powerColour) const {
    std::string text = FormatText(kFmtTooltip, texts_[kVoltage].c_str(), texts_[kCurrent].c_str(),
                                  texts_[kThrottle].c_str(), texts_[kTemperature].c_str(),
                                  texts_[kMotorRpm].c_str());
    if (withPower) {
        text += FormatText(kFmtTooltipPower, HtmlColour(powerColour).c_str(), powerText_.c_str());
    }
    return text;
}

std::string CurveReadout::StatusText(bool withPower) const {
    std::string text = FormatText(kFmtStatusValues, texts_[kVoltage].c_str(),
                                  texts_[kCurrent].c_str(), texts_[kThrottle].c_str(),
                                  texts_[kTemperature].c_str(), texts_[kMotorRpm].c_str());
    if (withPower) {
        text += FormatText(kFmtStatusPower, powerText_.c_str());
    }
    return text;
}

}  // namespace tavix
