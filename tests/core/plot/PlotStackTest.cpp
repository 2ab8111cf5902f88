// The stacked layout: where each plot stands, which plot a row belongs to,
// and the layout choices as config.ini and the command line spell them.
#include "plot/PlotStack.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavix {
namespace {

TEST(PlotStack, StripsShareTheHeightAndARowFindsItsPlot) {
    PlotStack stack;
    const std::vector<int> curves{kVoltage, kCurrent, kStackPower};
    // 301 rows less two gaps of 6: 96 each, a grid of 4 rows of 23 pixels.
    stack.Arrange(curves, 401, 301, 6);
    const PlotGeometry& g = stack.StripGeometry();
    EXPECT_EQ(g.rows, kStripRows);
    EXPECT_EQ(g.cellHeight, 23);
    EXPECT_EQ(g.plotHeight, 92);
    EXPECT_EQ(g.plotWidth, 400);
    ASSERT_EQ(stack.Strips().size(), 3u);
    EXPECT_EQ(stack.Strips()[1].top, 99);
    EXPECT_EQ(stack.Strips()[2].top, 198);
    EXPECT_EQ(stack.Strips()[2].curve, kStackPower);
    EXPECT_EQ(stack.ViewHeight(), 291);

    const struct {
        int y, strip;
    } rows[] = {{-1, -1}, {0, 0},   {92, 0},  {95, 0} /* the gap below */, {99, 1}, {197, 1},
                {198, 2}, {290, 2}, {291, -1}};
    for (const auto& r : rows) {
        EXPECT_EQ(stack.StripAt(r.y), r.strip) << r.y;
    }
    // A view too low for its plots still gives each a grid of one pixel a row.
    stack.Arrange(curves, 401, 10, 6);
    EXPECT_EQ(stack.StripGeometry().cellHeight, 1);
    stack.Arrange({}, 401, 300, 6);
    EXPECT_EQ(stack.ViewHeight(), 0);
    EXPECT_EQ(stack.StripAt(0), -1);
}

TEST(PlotStack, LayoutAndCurvesReadBackAsWritten) {
    EXPECT_EQ(ParseLayout("stacked"), PlotLayout::Stacked);
    EXPECT_EQ(ParseLayout("overlay"), PlotLayout::Overlay);
    EXPECT_EQ(ParseLayout("Stacked"), std::nullopt);
    EXPECT_EQ(ParseLayout(LayoutName(PlotLayout::Stacked)), PlotLayout::Stacked);

    EXPECT_EQ(StackedCurvesText(DefaultStackedCurves()), "0,1,2,3,4,power");
    const struct {
        const char* text;
        std::vector<int> curves;
    } cases[] = {
        {"", DefaultStackedCurves()},
        {"4, 0 ,power", {kMotorRpm, kVoltage, kStackPower}},
        {"1,1,x,9,-1,2.5,,7", {kCurrent, 7}},  // what names no curve is left out
        {"x", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseStackedCurves(c.text), c.curves) << c.text;
    }
}

}  // namespace
}  // namespace tavix
