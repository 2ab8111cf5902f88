// A curve as pixel columns and the dash patterns of the flights laid over
// the shown record.
#include "plot/ColumnSpans.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavix {
namespace {

TEST(CurveColumns, EachColumnCoversItsPointsAndItsHalvesOfTheLinesToItsNeighbours) {
    struct Case {
        const char* what;
        std::vector<PlotPoint> points;
        std::vector<ColumnSpan> columns;
    };
    const Case cases[] = {
        {"one point", {{7, 3}}, {{7, 3, 3}}},
        {"back and forth in one column", {{3, 10}, {3, 2}, {3, 8}, {3, 5}}, {{3, 2, 10}}},
        {"a step to the next column, split at its middle",
         {{0, 0}, {1, 10}},
         {{0, 0, 5}, {1, 5, 10}}},
        {"a shallow line over several columns",
         {{0, 0}, {4, 2}},
         {{0, 0, 0}, {1, 0, 1}, {2, 1, 1}, {3, 1, 2}, {4, 2, 2}}},
        {"a reduced column, then a flat line on",
         {{0, 5}, {0, 1}, {0, 9}, {0, 4}, {1, 4}},
         {{0, 1, 9}, {1, 4, 4}}},
        {"a column reached from the left, then climbing",
         {{0, 5}, {1, 5}, {1, 0}},
         {{0, 5, 5}, {1, 0, 5}}},
        {"nothing", {}, {}},
    };
    std::vector<ColumnSpan> out;
    for (const Case& c : cases) {
        CurveColumns(c.points, out);
        EXPECT_EQ(out, c.columns) << c.what;
    }
}

TEST(ColumnDrawn, PatternsLeaveGapsThatGrowWithThePen) {
    struct Case {
        FlightLine line;
        int width;
        const char* columns;  // from column 0: # drawn, . left out
    };
    const Case cases[] = {
        {FlightLine::Solid, 1, "########################"},
        {FlightLine::Dashed, 1, "##########......########"},
        {FlightLine::Dotted, 1, "##....##....##....##...."},
        {FlightLine::DashDot, 1, "##########....##....####"},
        {FlightLine::Dotted, 4, "####........####........"},
    };
    for (const Case& c : cases) {
        std::string drawn;
        for (int x = 0; x < 24; ++x) {
            drawn += ColumnDrawn(c.line, x, c.width) ? '#' : '.';
        }
        EXPECT_EQ(drawn, c.columns) << static_cast<int>(c.line) << " pen " << c.width;
    }
    // Left of the plot's edge the pattern runs on.
    EXPECT_FALSE(ColumnDrawn(FlightLine::Dashed, -1, 1));
    EXPECT_TRUE(ColumnDrawn(FlightLine::Dashed, -7, 1));
}

}  // namespace
}  // namespace tavix
