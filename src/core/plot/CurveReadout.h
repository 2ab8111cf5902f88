#pragma once
// The values under the pointer: each channel of the shown flight and the
// power curve at a fractional plot sample, as numbers and as the texts the
// tooltip and the status bar show. With flights laid over the shown one, each
// quantity lists every flight's value in flight order, "-" where a flight has
// none (the pointer is before its start or past its end, or it lacks the
// channel): "CUR: 12.3A | 11.8A | -".

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "flight/FlightData.h"
#include "flight/FlightRecord.h"
#include "plot/FlightOverlay.h"
#include "plot/PlotTrace.h"

namespace tavix {

// A value as the read-out shows it: above 100000 as a whole number (an RPM),
// otherwise with one decimal; an infinite or undefined value as "inf", "-inf"
// or "nan". 250000.4 reads "250000", 12.345 reads "12.3".
std::string ValueText(float value);

class CurveReadout {
public:
    // The first `channels` channels of `data` at plot position `f`, which
    // lies between sample 0 and the last of its `samples`.
    void ReadChannels(const FlightData& data, int channels, int samples, float f);
    // Trace `i` of `store` at plot position `f`, as the power.
    void ReadPower(const TraceStore& store, int i, float f);
    // The flights of `overlay` at plot position `f`, after the shown one's
    // channels (and power) were read; an empty overlay leaves the shown one alone.
    void ReadFlights(const FlightOverlay& overlay, float f);

    // Flight `index`'s value (0: the shown one) of `channel` (kChannelCount:
    // the power); nullopt where there is none.
    std::optional<float> FlightValue(int index, int channel) const;

    float Value(int channel) const { return values_[channel]; }
    const std::string& Text(int channel) const { return texts_[channel]; }
    const std::string& FahrenheitText() const { return fahrenheit_; }
    float PowerValue() const { return powerValue_; }
    const std::string& PowerText() const { return powerText_; }

    // The tooltip markup and the status text (GBK); the power is added
    // when it is drawn, the tooltip's in the curve's colour.
    std::string TooltipText(bool withPower, std::uint32_t powerColour) const;
    std::string StatusText(bool withPower) const;

private:
    // Every flight's value of `channel` with `unit`, "-" where it has none.
    std::string FlightTexts(int channel, const char* unit, const char* separator) const;

    std::array<float, kChannelCount> values_{};
    std::array<std::string, kChannelCount> texts_;
    std::string fahrenheit_;
    float powerValue_ = 0.0f;
    std::string powerText_;
    // [flight][channel, then the power] of the last read; flight 0 is the
    // shown one.
    using FlightValues = std::array<std::optional<float>, kChannelCount + 1>;
    std::array<FlightValues, kMaxComparedFlights> flightValues_{};
    int flightsRead_ = 1;
};

}  // namespace tavix
