#pragma once
// The values under the pointer: each channel of the shown flight and the
// power curve at a fractional plot sample, as numbers and as the texts the
// tooltip and the status bar show.

#include <array>
#include <cstdint>
#include <string>

#include "flight/FlightData.h"
#include "flight/FlightRecord.h"
#include "plot/PlotSeries.h"

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
    // Series `i` of `store` at plot position `f`, as the power.
    void ReadPower(const SeriesStore& store, int i, float f);

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
    std::array<float, kChannelCount> values_{};
    std::array<std::string, kChannelCount> texts_;
    std::string fahrenheit_;
    float powerValue_ = 0.0f;
    std::string powerText_;
};

}  // namespace tavix
