#include "plot/CurveReadout.h"

#include <algorithm>
#include <cmath>

#include "base/FormatText.h"
#include "base/Translate.h"
#include "flight/Conversion.h"
#include "plot/PlotMessages.h"

namespace tavix {

namespace {

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
    flightsRead_ = 1;
    flightValues_[0].fill(std::nullopt);
    // Past the shown flight's end (a longer flight compared with it) the
    // values stay those of its last sample, before its start (one aligned
    // to start earlier) those of its first, and the flight has none there.
    const float last = static_cast<float>(std::max(0, samples - 1));
    const bool inside = f >= 0.0f && f <= last;
    f = std::clamp(f, 0.0f, last);
    for (int i = 0; i < channels; ++i) {
        values_[i] = ChannelValueAt(data, i, samples, f);
        if (inside) {
            flightValues_[0][i] = values_[i];
        }
        texts_[i] = ValueText(values_[i]);
        if (i == kTemperature) {
            fahrenheit_ =
                FormatText(kFmtFahrenheit, static_cast<double>(values_[i] * 9.0f / 5.0f + 32.0f));
        }
    }
}

void CurveReadout::ReadPower(const TraceStore& store, int i, float f) {
    // Along the drawn power curve, as the channels along theirs.
    if (store.ValueAt(i, f, powerValue_)) {
        flightValues_[0][kChannelCount] = powerValue_;
    }
    powerText_ = ValueText(powerValue_);
}

void CurveReadout::ReadFlights(const FlightOverlay& overlay, float f) {
    flightsRead_ = 1 + overlay.Count();
    for (int k = 1; k < flightsRead_; ++k) {
        for (int i = 0; i <= kChannelCount; ++i) {
            flightValues_[k][i] = overlay.ValueAt(k, i, f);
        }
    }
}

std::optional<float> CurveReadout::FlightValue(int index, int channel) const {
    if (index < 0 || index >= flightsRead_ || channel < 0 || channel > kChannelCount) {
        return std::nullopt;
    }
    return flightValues_[index][channel];
}

std::string CurveReadout::FlightTexts(int channel, const char* unit, const char* separator,
                                      std::span<const CurveColours> colours) const {
    std::string text;
    for (int k = 0; k < flightsRead_; ++k) {
        if (k > 0) {
            text += separator;
        }
        const std::optional<float> value = flightValues_[k][channel];
        const std::string shown = value ? ValueText(*value) + unit : kOverlayNoValue;
        const auto flight = static_cast<std::size_t>(k);
        text +=
            flight < colours.size()
                ? FormatText(kFmtTooltipValue,
                             HtmlColour(colours[flight][static_cast<std::size_t>(channel)]).c_str(),
                             shown.c_str())
                : shown;
    }
    return text;
}

std::string CurveReadout::TooltipText(bool withPower, std::span<const CurveColours> colours,
                                      int only) const {
    if (only == kChannelCount && withPower) {
        return FormatText(
            kFmtCurveTooltipLine, Translate(kOverlayPowerLabel).c_str(),
            FlightTexts(kChannelCount, kPowerUnit, kOverlayTooltipSeparator, colours).c_str());
    }
    for (const ReadoutQuantity& q : kOverlayQuantities) {
        if (q.channel == only) {
            return FormatText(
                kFmtCurveTooltipLine, Translate(q.label).c_str(),
                FlightTexts(q.channel, q.unit, kOverlayTooltipSeparator, colours).c_str());
        }
    }
    if (flightsRead_ > 1) {
        // One line per quantity, every flight's value in flight order.
        std::string text;
        for (const ReadoutQuantity& q : kOverlayQuantities) {
            text += FormatText(
                kFmtOverlayTooltipLine, Translate(q.label).c_str(),
                FlightTexts(q.channel, q.unit, kOverlayTooltipSeparator, colours).c_str());
        }
        if (withPower) {
            text += FormatText(
                kFmtOverlayTooltipLine, Translate(kOverlayPowerLabel).c_str(),
                FlightTexts(kChannelCount, kPowerUnit, kOverlayTooltipSeparator, colours).c_str());
        }
        text.pop_back();  // the last line break
        return text;
    }
    // The shown flight's curves, each value in its curve's colour.
    const CurveColours own = colours.empty() ? CurveColours{} : colours.front();
    auto colour = [&own](int channel) {
        return HtmlColour(own[static_cast<std::size_t>(channel)]);
    };
    std::string text = FormatShown(
        kFmtTooltip, colour(kVoltage).c_str(), texts_[kVoltage].c_str(), colour(kCurrent).c_str(),
        texts_[kCurrent].c_str(), colour(kThrottle).c_str(), texts_[kThrottle].c_str(),
        colour(kTemperature).c_str(), texts_[kTemperature].c_str(), kUnitCelsius,
        colour(kMotorRpm).c_str(), texts_[kMotorRpm].c_str());
    if (withPower) {
        text += FormatShown(kFmtTooltipPower, colour(kChannelCount).c_str(), powerText_.c_str());
    }
    return text;
}

std::string CurveReadout::StatusText(bool withPower) const {
    if (flightsRead_ > 1) {
        std::string text = Translate(kOverlayStatusCaption);
        for (const ReadoutQuantity& q : kOverlayQuantities) {
            text += FormatText(kFmtOverlayStatusItem, Translate(q.statusLabel).c_str(),
                               FlightTexts(q.channel, q.unit, kOverlayStatusSeparator).c_str());
        }
        if (withPower) {
            text +=
                FormatText(kFmtOverlayStatusItem, Translate(kOverlayPowerStatusLabel).c_str(),
                           FlightTexts(kChannelCount, kPowerUnit, kOverlayStatusSeparator).c_str());
        }
        text.resize(text.size() - 1);  // the last comma
        return text;
    }
    std::string text =
        FormatShown(kFmtStatusValues, texts_[kVoltage].c_str(), texts_[kCurrent].c_str(),
                    texts_[kThrottle].c_str(), texts_[kTemperature].c_str(), kUnitCelsius,
                    texts_[kMotorRpm].c_str());
    if (withPower) {
        text += FormatShown(kFmtStatusPower, powerText_.c_str());
    }
    return text;
}

}  // namespace tavix
