#include "plot/PlotStack.h"

#include <algorithm>
#include <charconv>

namespace tavix {

std::optional<PlotLayout> ParseLayout(std::string_view text) {
    if (text == kLayoutOverlay) {
        return PlotLayout::Overlay;
    }
    if (text == kLayoutStacked) {
        return PlotLayout::Stacked;
    }
    return std::nullopt;
}

const char* LayoutName(PlotLayout layout) {
    return layout == PlotLayout::Stacked ? kLayoutStacked : kLayoutOverlay;
}

std::vector<int> DefaultStackedCurves() {
    return {kVoltage, kCurrent, kThrottle, kTemperature, kMotorRpm, kStackPower};
}

std::string StackedCurvesText(std::span<const int> curves) {
    std::string text;
    for (const int curve : curves) {
        if (!text.empty()) {
            text += ',';
        }
        text += curve == kStackPower ? std::string(kStackPowerName) : std::to_string(curve);
    }
    return text;
}

std::vector<int> ParseStackedCurves(std::string_view text) {
    std::vector<int> curves;
    bool named = false;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        std::string_view word = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        while (!word.empty() && word.front() == ' ') {
            word.remove_prefix(1);
        }
        while (!word.empty() && word.back() == ' ') {
            word.remove_suffix(1);
        }
        named = named || !word.empty();
        int curve = -1;
        if (word == kStackPowerName) {
            curve = kStackPower;
        } else {
            const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), curve);
            if (ec != std::errc() || end != word.data() + word.size() || curve < 0 ||
                curve >= kChannelCount) {
                curve = -1;
            }
        }
        if (curve >= 0 && std::find(curves.begin(), curves.end(), curve) == curves.end()) {
            curves.push_back(curve);
        }
    }
    return named ? curves : DefaultStackedCurves();
}

void PlotStack::Arrange(std::span<const int> curves, int width, int height, int gap) {
    strips_.clear();
    gap_ = std::max(0, gap);
    const int count = static_cast<int>(curves.size());
    const int share = count > 0 ? (height - (count - 1) * gap_) / count : height;
    geometry_ = PlaceGrid(width, share, 0, kStripRows);
    for (int s = 0; s < count; ++s) {
        strips_.push_back({curves[static_cast<std::size_t>(s)], s * (geometry_.viewHeight + gap_)});
    }
}

int PlotStack::ViewHeight() const {
    return strips_.empty() ? 0 : strips_.back().top + geometry_.viewHeight;
}

int PlotStack::StripAt(int y) const {
    if (strips_.empty() || y < 0 || y >= ViewHeight()) {
        return -1;
    }
    return std::min(static_cast<int>(strips_.size()) - 1, y / (geometry_.viewHeight + gap_));
}

}  // namespace tavix
