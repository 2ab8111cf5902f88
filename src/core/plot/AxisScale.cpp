#include "plot/AxisScale.h"

#include <cmath>
#include <limits>

#include "base/FormatText.h"
#include "plot/PlotMessages.h"

namespace tavix {

namespace {

std::string ScaleText(float value, float width) {
    if (width >= 100.0f) {
        const float whole = std::trunc(value);
        if (whole >= static_cast<float>(std::numeric_limits<int>::min()) &&
            whole < static_cast<float>(std::numeric_limits<int>::max())) {
            return FormatText(kFmtYLabelWide, static_cast<int>(whole));
        }
        return FormatText("%6.0f ", static_cast<double>(whole));
    }
    return FormatText(width >= 10.0f ? kFmtYLabelMedium : kFmtYLabelNarrow,
                      static_cast<double>(value));
}

}  // namespace

std::array<std::string, kLabelCount> ScaleLabels(const AxisRange& range,
                                                 const PlotGeometry& geometry) {
    const float width = range.max - range.min;
    const float step =
        width * static_cast<float>(geometry.cellHeight) / static_cast<float>(geometry.plotHeight);
    std::array<std::string, kLabelCount> labels;
    for (int k = 0; k < kLabelCount; ++k) {
        labels[k] = ScaleText(range.max - static_cast<float>(k) * step, width);
    }
    return labels;
}

}  // namespace tavix
