#include "plot/CurveModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include "plot/PlotMessages.h"

namespace tavix {
namespace {

// A record whose raw values are the physical values: k = 1, c = 0, windows 1.
// Channel 0 rises by one per sample; the others hold their channel number.
struct CurveFixture : ::testing::Test {
    void Load(int samples, int channels = kUploadChannels) {
        record->record.header.samples = samples;
        record->record.header.channels = channels;
        record->record.header.rate = 10;
        record->record.header.poles = 10;
        record->record.header.gearRate = 1.0f;
        record->record.dataLoaded = true;
        for (int i = 0; i < kChannelCount; ++i) {
            record->record.calibration[i] = {1.0f, 0.0f};
            record->record.ranges[i] = {0.0f, 28.0f};
            for (int j = 0; j < samples; ++j) {
                record->record.raw[i][j] = i == kVoltage ? j : i;
            }
        }
        model.Place(401, 300);  // cells 40 x 29, plot 400 x 290
        model.OnInitialUpdate();
    }

    std::unique_ptr<FlightData> record = std::make_unique<FlightData>();
    std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    CurveModel model{*record, windows};
};

TEST(PlaceGridTest, CellsFitTheViewAndTheViewShrinksToThem) {
    struct Case {
        int width, height, strip;
        PlotGeometry expected;
    };
    const Case cases[] = {
        // The dialog's placeholder with a 17-pixel scroll bar strip.
        {401, 300, 17, {40, 28, 400, 280, 401, 298}},
        {401, 300, 0, {40, 29, 400, 290, 401, 291}},
        {1000, 611, 0, {99, 61, 990, 610, 991, 611}},
        // Too small for a grid: cells of one pixel, never a plot of zero.
        {5, 5, 17, {1, 1, 10, 10, 11, 28}},
    };
    for (const Case& c : cases) {
        const PlotGeometry g = PlaceGrid(c.width, c.height, c.strip);
        EXPECT_EQ(g.cellWidth, c.expected.cellWidth) << c.width << "x" << c.height;
        EXPECT_EQ(g.cellHeight, c.expected.cellHeight) << c.width << "x" << c.height;
        EXPECT_EQ(g.plotWidth, c.expected.plotWidth);
        EXPECT_EQ(g.plotHeight, c.expected.plotHeight);
        EXPECT_EQ(g.viewWidth, c.expected.viewWidth);
        EXPECT_EQ(g.viewHeight, c.expected.viewHeight);
    }
}

TEST_F(CurveFixture, PointsSpanThePlotAndValuesMapToTheirRange) {
    Load(1001);
    const auto volts = model.VisiblePoints(kVoltage);
    ASSERT_EQ(volts.size(), 1001u);
    EXPECT_EQ(volts[0], (PlotPoint{0, 290}));            // 0 V on the bottom edge
    EXPECT_EQ(volts[500].x, 200);                        // 500 x 400 / 1000
    EXPECT_EQ(volts[1000].x, 400);                       // the last sample on the right edge
    EXPECT_EQ(volts[14].y, 145);                         // 14 of 0-28 is the middle
    EXPECT_LT(volts[1000].y, 0);                         // above the range: above the plot
    EXPECT_EQ(model.VisiblePoints(kCurrent)[3].y, 279);  // 27 x 290 / 28, truncated
}

TEST_F(CurveFixture, ThrottleAboveFullStandsOnTheTopEdgeAndAFlatRangeOnTopToo) {
    record->record.ranges[kThrottle] = {0.0f, 100.0f};
    record->record.raw[kThrottle].fill(120);
    record->record.ranges[kTemperature] = {50.0f, 50.0f};
    Load(100);
    // Load() resets the raw samples: put the throttle above 100 and compute again.
    record->record.raw[kThrottle].fill(120);
    record->record.ranges[kThrottle] = {0.0f, 100.0f};
    record->record.ranges[kTemperature] = {50.0f, 50.0f};
    model.ComputePoints();
    EXPECT_EQ(model.VisiblePoints(kThrottle)[7].y, 0);
    EXPECT_FLOAT_EQ(model.Data().conversion.observed[kThrottle].max, 100.0f);
    EXPECT_EQ(model.VisiblePoints(kTemperature)[7].y, 0);
}

TEST_F(CurveFixture, AnRpmOfNoReadingReadsZero) {
    Load(50);
    record->record.raw[kMotorRpm].fill(0);  // a period of 0: no reading
    model.ComputePoints();
    ASSERT_TRUE(model.OnMouseMove(200));
    EXPECT_EQ(model.Readout().Text(kMotorRpm), ValueText(0.0f));
}

TEST_F(CurveFixture, TheReadOutAtAMotorStartFollowsTheDrawnLine) {
    Load(50);
    for (int j = 0; j < 50; ++j) {
        record->record.raw[kMotorRpm][j] = j < 25 ? 0 : 1000;  // the motor starts at sample 25
    }
    model.OnInitialUpdate();
    const float running = RpmValue(1000, 10, 1.0f, 1.0f);
    ASSERT_TRUE(model.OnMouseMove(200));  // 49 x 200 / 400: halfway between samples 24 and 25
    // Half way from standing still to the first speed, not the speed of a
    // period half as long.
    EXPECT_FLOAT_EQ(model.Readout().Value(kMotorRpm), running / 2.0f);
    ASSERT_TRUE(model.OnMouseMove(208));  // between two running samples
    EXPECT_FLOAT_EQ(model.Readout().Value(kMotorRpm), running);
}

TEST_F(CurveFixture, ARecordOfOneSampleIsDrawnAtTheLeftEdge) {
    Load(1);
    ASSERT_EQ(model.VisiblePoints(kVoltage).size(), 1u);
    EXPECT_EQ(model.VisiblePoints(kVoltage)[0].x, 0);
    ASSERT_TRUE(model.OnMouseMove(400));
    EXPECT_EQ(model.Readout().Text(kCurrent), "1.0");
    EXPECT_EQ(model.OnLeftClick(10), ClickResult::Marked);
    EXPECT_EQ(model.OnLeftClick(20), ClickResult::Zoomed);
    EXPECT_EQ(model.View().FirstVisible(), 0);
    EXPECT_EQ(model.View().LastVisible(), 1);
}

TEST_F(CurveFixture, TwoClicksZoomToTheSelectionWithinTheRecord) {
    struct Case {
        int firstX, secondX;
        int first, last;
        const char* what;
    };
    // 1000 samples over 400 pixels: 2.5 samples per pixel.
    const Case cases[] = {
        {200, 201, 495, 505, "three samples: ten around the middle"},
        {0, 1, 0, 10, "near the start: the first ten"},
        {399, 400, 990, 1000, "near the end: the last ten"},
        {100, 300, 250, 751, "wide: from the left click, (300 - 100) x 2.5 + 1 samples"},
        {300, 100, 250, 751, "the clicks in either order"},
        {200, 400, 500, 1000, "up to the right edge: never past the record"},
        {200, 450, 500, 1000, "a click beyond the plot counts as its edge"},
    };
    for (const Case& c : cases) {
        Load(1000);
        EXPECT_EQ(model.OnLeftClick(c.firstX), ClickResult::Marked) << c.what;
        EXPECT_TRUE(model.View().Selecting());
        EXPECT_EQ(model.OnLeftClick(c.secondX), ClickResult::Zoomed) << c.what;
        EXPECT_FALSE(model.View().Selecting());
        EXPECT_EQ(model.View().FirstVisible(), c.first) << c.what;
        EXPECT_EQ(model.View().LastVisible(), c.last) << c.what;
        // The window spans the plot from edge to edge.
        const auto points = model.VisiblePoints(kVoltage);
        ASSERT_EQ(points.size(), static_cast<std::size_t>(c.last - c.first)) << c.what;
        EXPECT_EQ(points.front().x, 0) << c.what;
        EXPECT_EQ(points.back().x, 400) << c.what;
        EXPECT_EQ(points.back().y, model.Points(kVoltage)[c.last - 1].y);
    }
}

TEST_F(CurveFixture, ZoomingTwiceNarrowsTheWindowInsideTheFirstOne) {
    Load(1000);
    model.OnLeftClick(100);
    model.OnLeftClick(300);  // samples 250-750
    model.OnLeftClick(0);
    model.OnLeftClick(200);  // the first half of that: 200 x 501 / 400 + 1 samples
    EXPECT_EQ(model.View().FirstVisible(), 250);
    EXPECT_EQ(model.View().LastVisible(), 250 + 251);
}

TEST_F(CurveFixture, ARecordShorterThanTenSamplesZoomsToAllOfIt) {
    Load(6);
    model.OnLeftClick(300);
    model.OnLeftClick(301);
    EXPECT_EQ(model.View().FirstVisible(), 0);
    EXPECT_EQ(model.View().LastVisible(), 6);
}

TEST_F(CurveFixture, ASecondClickAtTheSameXKeepsWaiting) {
    Load(1000);
    EXPECT_EQ(model.OnLeftClick(120), ClickResult::Marked);
    EXPECT_EQ(model.OnLeftClick(120), ClickResult::SameX);
    EXPECT_TRUE(model.View().Selecting());
    EXPECT_EQ(model.View().FirstClickX(), 120);
    EXPECT_EQ(model.View().LastVisible(), 1000);
    EXPECT_EQ(model.OnLeftClick(160), ClickResult::Zoomed);
}

TEST_F(CurveFixture, ARightClickShowsTheWholeRecordAgain) {
    Load(1000);
    model.OnLeftClick(100);
    model.OnLeftClick(300);
    model.OnLeftClick(50);  // a pending selection is dropped too
    EXPECT_TRUE(model.OnRightClick());
    EXPECT_FALSE(model.View().Selecting());
    EXPECT_EQ(model.View().FirstVisible(), 0);
    EXPECT_EQ(model.View().LastVisible(), 1000);
    EXPECT_EQ(model.VisiblePoints(kVoltage)[500].x, 500 * 400 / 999);
    EXPECT_EQ(model.View().TimeLabels()[10], "  99.9");  // the last sample, 999
}

TEST_F(CurveFixture, WithoutARecordTheMouseDoesNothing) {
    model.Place(401, 300);
    model.OnInitialUpdate();
    EXPECT_EQ(model.OnLeftClick(10), ClickResult::Ignored);
    EXPECT_FALSE(model.View().Selecting());
    EXPECT_FALSE(model.OnRightClick());
    EXPECT_FALSE(model.OnMouseMove(10));
    EXPECT_TRUE(model.VisiblePoints(kVoltage).empty());
    EXPECT_EQ(model.Statistics().maxCurrent, kStatisticNone);
}

TEST_F(CurveFixture, ResizingKeepsTheZoomAndMovesThePoints) {
    Load(1000);
    model.OnLeftClick(100);
    model.OnLeftClick(300);
    model.Place(801, 300);
    EXPECT_EQ(model.View().FirstVisible(), 250);
    EXPECT_EQ(model.VisiblePoints(kVoltage).back().x, 800);
}

TEST(ValueTextTest, ReadsLikeTheValueFields) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {250000.4f, "250000"},
        {12.345f, "12.3"},
        {100000.0f, "100000.0"},
        {3.0e9f, "3000000000"},  // beyond an int: still the whole number
        {-7.25f, "-7.2"},
        {std::numeric_limits<float>::infinity(), "inf"},
        {-std::numeric_limits<float>::infinity(), "-inf"},
        {std::numeric_limits<float>::quiet_NaN(), "nan"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValueText(c.value), c.text) << c.value;
    }
}

TEST_F(CurveFixture, TheReadOutRunsBetweenSamplesAndStopsAtTheRecordsEnd) {
    Load(101);
    record->record.calibration[kVoltage] = {0.5f, 1.0f};
    model.ComputePoints();
    // Sample 100 is drawn at the right edge, so x = 2 is sample 100 x 2 / 400
    // = 0.5, between 0 and 1 (v = 0.5 x 0.5 + 1).
    ASSERT_TRUE(model.OnMouseMove(2));
    EXPECT_NEAR(model.Readout().Value(kVoltage), 1.25f, 1e-6f);
    // The right edge and beyond read the last sample, never one past it.
    ASSERT_TRUE(model.OnMouseMove(400));
    EXPECT_FLOAT_EQ(model.Readout().Value(kVoltage), 51.0f);
    ASSERT_TRUE(model.OnMouseMove(900));
    EXPECT_FLOAT_EQ(model.Readout().Value(kVoltage), 51.0f);
    EXPECT_EQ(model.Readout().Text(kVoltage), "51.0");
    // Temperature 3 C is 37.4 F.
    EXPECT_EQ(model.Readout().FahrenheitText(), "37.4");
    // Motor RPM: 30 / (10 poles x gear 1 x k 1 x period 4).
    EXPECT_EQ(model.Readout().Text(kMotorRpm), "0.8");
}

TEST_F(CurveFixture, TooltipAndStatusTextCarryTheFiveValuesEachInItsCurvesColour) {
    Load(10);
    // The channel colours config.ini ships (COLORREF): the current is blue
    // and the throttle green, whatever a fixed list of names would say.
    const std::uint32_t colours[] = {0x0000FF, 0xFF0000, 0x008000, 0x0080FF, 0x800080};
    for (int i = 0; i <= kMotorRpm; ++i) {
        record->record.channels[i].colour = colours[i];
    }
    ASSERT_TRUE(model.OnMouseMove(0));
    EXPECT_EQ(model.TooltipText(),
              "<font color=#ff0000>VOL: 0.0V</font>, <font color=#0000ff>CUR: 1.0A</font>, "
              "<font color=#008000>Thr: 2.0%</font>\n"
              "<font color=#ff8000>Temp: 3.0\xA1\xE6</font>, "
              "<font color=#800080>RPM: 0.8</font>");
    EXPECT_EQ(model.StatusText(),
              "Current Value: Vol: 0.0V, Cur: 1.0A, Thr:2.0%, Temp:3.0\xA1\xE6, RPM:0.8");
}

TEST_F(CurveFixture, StatisticsAreTheObservedExtremesWithoutLeadingBlanks) {
    Load(200);
    record->record.calibration[kCurrent] = {2.0f, 0.0f};
    model.OnInitialUpdate();
    const CurveStatistics& s = model.Statistics();
    EXPECT_EQ(s.maxCurrent, "2.0");
    EXPECT_EQ(s.minVoltage, "0.0");
    EXPECT_EQ(s.maxThrottle, "2.0");
    EXPECT_EQ(s.maxTemperature, "3.0");
    EXPECT_EQ(s.samplingRate, "10");
    EXPECT_EQ(s.maxPower, "398.0");  // 199 V x 2 A
    EXPECT_EQ(model.MaxText(kVoltage), "199.0");
    EXPECT_EQ(model.MinText(kCurrent), "  2.0");
}

TEST_F(CurveFixture, TheCurvesAndTheTimeFollowTheWheelAndAPan) {
    Load(1000);
    const std::string lastLabel = model.View().TimeLabels()[10];
    ASSERT_TRUE(model.ZoomAt(200, 1));  // samples 100-900
    EXPECT_EQ(model.VisiblePoints(kVoltage).front().x, 0);
    EXPECT_EQ(model.VisiblePoints(kVoltage).back().x, 400);
    EXPECT_NE(model.View().TimeLabels()[10], lastLabel);
    ASSERT_TRUE(model.BeginPan(200));
    ASSERT_TRUE(model.PanTo(400));  // back to the start
    model.EndPan();
    EXPECT_EQ(model.View().FirstVisible(), 0);
    EXPECT_EQ(model.VisiblePoints(kVoltage)[799].x, 400);
    EXPECT_TRUE(model.ZoomAtCentre(-1));
    EXPECT_EQ(model.View().LastVisible(), 1000);
    EXPECT_EQ(model.VisiblePoints(kVoltage).back().x, 400);
}

TEST_F(CurveFixture, YLabelFormatsFollowTheRangeWidth) {
    struct Case {
        AxisRange range;
        const char* top;
        const char* second;
        const char* bottom;
    };
    const Case cases[] = {
        {{0.0f, 30000.0f}, " 30000 ", " 27000 ", "     0 "},
        {{0.0f, 100.0f}, "   100 ", "    90 ", "     0 "},
        {{5.0f, 30.0f}, "  30.0 ", "  27.5 ", "   5.0 "},
        {{0.0f, 9.0f}, "  9.00 ", "  8.10 ", "  0.00 "},
        {{-1.0f, 1.0f}, "  1.00 ", "  0.80 ", " -1.00 "},
    };
    Load(100);
    for (const Case& c : cases) {
        record->record.ranges[kCurrent] = c.range;
        model.BuildYLabels(kCurrent);
        EXPECT_EQ(model.YLabels()[0], c.top);
        EXPECT_EQ(model.YLabels()[1], c.second);
        EXPECT_EQ(model.YLabels()[10], c.bottom);
    }
    EXPECT_EQ(record->record.header.yAxis, kCurrent);
    EXPECT_EQ(model.YLabelChannel(), kCurrent);
    // -1: channel 0's scale, the stored choice untouched.
    model.BuildYLabels(-1);
    EXPECT_EQ(model.YLabelChannel(), kVoltage);
    EXPECT_EQ(record->record.header.yAxis, kCurrent);
}

TEST_F(CurveFixture, NewRangesMoveTheCurvesAndTheYLabelsAtOnce) {
    Load(50);
    model.BuildYLabels(kThrottle);
    const std::string top = model.YLabels()[0];
    const std::int32_t y = model.VisiblePoints(kThrottle)[5].y;
    EXPECT_FALSE(model.ApplyRanges());                 // nothing changed: nothing to do
    record->record.ranges[kThrottle] = {0.0f, 56.0f};  // a profile with twice the range
    EXPECT_TRUE(model.ApplyRanges());
    EXPECT_NE(model.YLabels()[0], top);
    EXPECT_NE(model.YLabels()[0].find("56"), std::string::npos) << model.YLabels()[0];
    EXPECT_NE(model.VisiblePoints(kThrottle)[5].y, y);
    EXPECT_EQ(model.YLabelChannel(), kThrottle);
}

TEST(ReduceToColumnsTest, KeepsEachColumnsExtentAndEndsWithFewPoints) {
    std::mt19937 generator(3);
    std::uniform_int_distribution<int> y(-50, 50);
    std::vector<PlotPoint> points;
    for (int j = 0; j < 5000; ++j) {
        points.push_back({j * 37 / 5000, y(generator)});
    }
    std::vector<PlotPoint> reduced;
    ReduceToColumns(points, reduced);
    EXPECT_EQ(reduced.front(), points.front());
    EXPECT_EQ(reduced.back(), points.back());
    EXPECT_LE(reduced.size(), 37u * 4 + 4);
    // The polyline visits the same vertical extent in every column, and the
    // segment into the next column leaves from the same last point.
    for (int x = 0; x <= 36; ++x) {
        int lo = 1000, hi = -1000, loR = 1000, hiR = -1000;
        PlotPoint last{}, lastR{};
        for (const PlotPoint& p : points) {
            if (p.x == x) {
                lo = std::min(lo, p.y);
                hi = std::max(hi, p.y);
                last = p;
            }
        }
        for (const PlotPoint& p : reduced) {
            if (p.x == x) {
                loR = std::min(loR, p.y);
                hiR = std::max(hiR, p.y);
                lastR = p;
            }
        }
        EXPECT_EQ(lo, loR) << x;
        EXPECT_EQ(hi, hiR) << x;
        EXPECT_EQ(last, lastR) << x;
    }
    ReduceToColumns({}, reduced);
    EXPECT_TRUE(reduced.empty());
}

}  // namespace
}  // namespace tavix
