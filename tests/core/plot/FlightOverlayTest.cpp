// Flights laid over the shown record: where their samples stand on the
// reference's time axis, what they draw, what the read-out says of them, and
// taking them out again.
#include "plot/FlightOverlay.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/analysis/AnalysisTestData.h"
#include "plot/CurveModel.h"
#include "plot/PlotMessages.h"

namespace tavix {
namespace {

// A reference of 101 samples at 10 per second on a 400 x 290 plot, so plot
// sample p stands at column 4 p: 0.2 V more each sample from 10.0 V, 10 A.
struct OverlayFixture : ::testing::Test {
    OverlayFixture() {
        reference = Flight(kUploadChannels, 101, 10, 100, 2);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            reference->record.ranges[ch] = {0.0f, 50.0f};
        }
        reference->record.dataLoaded = true;
        model = std::make_unique<CurveModel>(*reference, windows);
        model->Place(401, 300);
        model->OnInitialUpdate();
    }

    // Voltage `volts` + `step` j (0.1 V each), 10 A, 25 % throttle.
    static std::unique_ptr<FlightData> Flight(int channels, int samples, int rate, int volts,
                                              int step) {
        return test::MakeAnalysisRecord(channels, samples, rate, [=](int ch, int j) {
            return ch == kVoltage ? volts + step * j : ch == kCurrent ? 20 : 50;
        });
    }

    std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    std::unique_ptr<FlightData> reference;
    std::unique_ptr<CurveModel> model;
};

TEST(FlightPlacement, OffsetInSecondsAndRatesGiveThePlotSampleOfEachSample) {
    struct Case {
        int referenceRate, flightRate;
        double seconds, offset, scale;
    };
    const Case cases[] = {
        {30, 30, 0.0, 0.0, 1.0},    {30, 30, 2.5, 75.0, 1.0},
        {30, 15, -1.0, -30.0, 2.0},                         // half the rate: each sample spans two
        {10, 20, 1.0, 10.0, 0.5},   {0, 0, 3.0, 3.0, 1.0},  // no rate: one sample a second
    };
    for (const Case& c : cases) {
        const FlightPlacement at = PlaceFlight(c.referenceRate, c.flightRate, c.seconds);
        EXPECT_DOUBLE_EQ(at.offset, c.offset) << c.referenceRate << "/" << c.flightRate;
        EXPECT_DOUBLE_EQ(at.scale, c.scale) << c.referenceRate << "/" << c.flightRate;
    }
}

TEST_F(OverlayFixture, AnAddedFlightIsDrawnWhereItsOffsetAndRatePlaceIt) {
    struct Case {
        const char* what;
        int rate, samples;
        double seconds;
        std::size_t points;
        std::int32_t firstX, secondX, lastX;
        int firstSample;  // of the flight, at the first point
    };
    const Case cases[] = {
        {"later", 10, 40, 3.0, 40, 120, 124, 276, 0},
        // The time axis reaches back to the start of a flight aligned
        // earlier: 121 plot samples from -20, over the 400 columns.
        {"earlier, whole", 10, 40, -2.0, 40, 0, 3, 130, 0},
        {"half the rate", 5, 40, 0.0, 40, 0, 8, 312, 0},
        // The time axis reaches the end of a flight longer than the
        // reference: 161 plot samples, then 240, over the 400 columns.
        {"twice the rate, past the reference's end", 20, 300, 1.0, 300, 25, 26, 398, 0},
        {"wholly after the reference", 10, 40, 20.0, 40, 334, 336, 400, 0},
    };
    // The overlay views the flights: they live as long as it shows them.
    std::vector<std::unique_ptr<FlightData>> flights;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        model->ClearFlights();
        flights.push_back(Flight(kUploadChannels, c.samples, c.rate, 150, 1));
        ASSERT_EQ(model->AddFlight(*flights.back(), c.seconds, "b.dat"), 1);
        const auto points = model->FlightPoints(1, kVoltage);
        ASSERT_EQ(points.size(), c.points);
        if (c.points == 0) {
            continue;
        }
        EXPECT_EQ(points[0].x, c.firstX);
        EXPECT_EQ(points[1].x, c.secondX);
        EXPECT_EQ(points.back().x, c.lastX);
        const float volts = 0.1f * static_cast<float>(150 + c.firstSample);
        EXPECT_EQ(points[0].y, TraceRow(model->Overlay().Trace(1, kVoltage), volts, 290));
    }
    // Moved back to start on the reference's last sample: the axis ends
    // with the flight's last sample, on the right edge.
    model->SetFlightOffset(1, 10.0);
    EXPECT_EQ(model->View().SampleCount(), 140);
    EXPECT_EQ(model->FlightPoints(1, kVoltage).front().x, 287);
    EXPECT_EQ(model->FlightPoints(1, kVoltage).back().x, 400);
}

TEST_F(OverlayFixture, FlightsShareTheRecordsRangesAndZoomAndDrawTheirOwnersConversion) {
    // 5 V and 15 V in turn.
    const auto flight = test::MakeAnalysisRecord(kUploadChannels, 101, 10, [](int ch, int j) {
        return ch == kVoltage ? 50 + 100 * (j % 2) : 20;
    });
    ASSERT_EQ(model->AddFlight(*flight, 0.0, "b.dat"), 1);
    // A view on the flight, not a copy of it.
    EXPECT_EQ(&model->Overlay().Flight(1), flight.get());

    reference->record.ranges[kVoltage] = {0.0f, 20.0f};
    ASSERT_TRUE(model->ApplyRanges());
    EXPECT_EQ(model->FlightPoints(1, kVoltage)[1].y, 72);  // 15 V of 0-20

    // The plot converts only the record it shows: an added flight keeps the
    // conversion its owner gave it (a window of two would make a flat 10 V).
    windows[kVoltage] = 2;
    model->ComputePoints();
    EXPECT_FLOAT_EQ(model->Overlay().ValueAt(1, kVoltage, 7.0f).value(), 15.0f);

    // A zoom to samples 50-59 spreads them over the plot.
    model->OnLeftClick(200);
    model->OnLeftClick(236);
    EXPECT_EQ(model->View().FirstVisible(), 50);
    const auto zoomed = model->FlightPoints(1, kVoltage);
    ASSERT_EQ(zoomed.size(), static_cast<std::size_t>(model->View().LastVisible() - 50));
    EXPECT_EQ(zoomed.front().x, 0);
}

TEST_F(OverlayFixture, AFlightWithoutAChannelDrawsAndReadsNothingForIt) {
    const auto voltsOnly = Flight(1, 60, 10, 150, 1);
    const auto eight = Flight(kChannelCount, 60, 10, 150, 1);
    ASSERT_EQ(model->AddFlight(*voltsOnly, 0.0, "v.dat"), 1);
    ASSERT_EQ(model->AddFlight(*eight, 0.0, "e.dat"), 2);
    model->SetPowerShown(true);
    EXPECT_EQ(model->FlightPoints(1, kVoltage).size(), 60u);
    EXPECT_TRUE(model->FlightPoints(1, kCurrent).empty());
    EXPECT_TRUE(model->FlightPoints(1, CurveModel::kPowerCurve).empty());
    EXPECT_EQ(model->FlightPoints(2, CurveModel::kPowerCurve).size(), 60u);
    // The reference has no controls for channel 6: nothing draws it.
    EXPECT_TRUE(model->FlightPoints(2, 6).empty());
    EXPECT_TRUE(model->FlightPoints(3, kVoltage).empty());  // no such flight

    ASSERT_TRUE(model->OnMouseMove(42));
    EXPECT_FALSE(model->Readout().FlightValue(1, kCurrent).has_value());
    EXPECT_FALSE(model->Readout().FlightValue(1, CurveModel::kPowerCurve).has_value());
    // Plot sample 10.5: between 160 W and 161 W.
    EXPECT_NEAR(model->Readout().FlightValue(2, CurveModel::kPowerCurve).value(), 160.5f, 1e-3f);
}

TEST_F(OverlayFixture, TheReadOutListsEachFlightsValueAndADashWhereItHasNone) {
    const auto shorter = Flight(kUploadChannels, 40, 10, 150, 1);
    const auto halfRate = Flight(1, 60, 5, 150, 4);  // voltage only, 5 a second
    model->AddFlight(*shorter, 0.0, "short.dat");
    model->AddFlight(*halfRate, -2.0, "half.dat");
    model->SetPowerShown(true);
    model->SetPowerColour(0x0000FF);

    // Plot sample 50.5 (the axis reaches back to the half-rate one's start
    // at -20): past the shorter flight's end; the half-rate one's sample
    // (50.5 + 20) / 2 = 35.25. Every value in its flight's colour (blue,
    // vermilion, bluish green), whatever the channel's.
    ASSERT_TRUE(model->OnMouseMove(235));
    auto line = [](const char* label, const char* a, const char* b, const char* c) {
        return std::string(label) + ": <font color=#0072b2>" + a +
               "</font> | <font color=#d55e00>" + b + "</font> | <font color=#009e73>" + c +
               "</font>";
    };
    EXPECT_EQ(model->TooltipText(),
              line("VOL", "20.1V", "-", "29.1V") + "\n" + line("CUR", "10.0A", "-", "-") + "\n" +
                  line("Thr", "25.0%", "-", "-") + "\n" + line("Temp", "15.0\xA1\xE6", "-", "-") +
                  "\n" + line("RPM", "42857.1", "-", "-") + "\n" + line("Pwr", "201.0W", "-", "-"));
    EXPECT_EQ(model->StatusText().substr(0, 36), "Current Value: Vol: 20.1V|-|29.1V, C");

    // On the shorter flight's last sample it still has a value, a little
    // after it none.
    const struct {
        float at;
        bool present;
    } edges[] = {{39.0f, true}, {39.01f, false}, {0.0f, true}, {-0.01f, false}};
    for (const auto& e : edges) {
        EXPECT_EQ(model->Overlay().ValueAt(1, kVoltage, e.at).has_value(), e.present) << e.at;
    }
}

TEST_F(OverlayFixture, TakingAFlightOutMovesTheLaterOnesUpWithTheirLines) {
    const auto a = Flight(kUploadChannels, 101, 10, 110, 0);
    const auto b = Flight(kUploadChannels, 101, 10, 120, 0);
    const auto c = Flight(kUploadChannels, 101, 10, 130, 0);
    model->SetReferenceLegend("ref.dat");
    EXPECT_TRUE(model->Legend().empty());  // the record alone has none
    model->AddFlight(*a, 0.0, "a.dat");
    model->AddFlight(*b, 0.0, "b.dat");
    model->AddFlight(*c, 0.0, "c.dat");
    EXPECT_EQ(model->AddFlight(*a, 0.0, "again.dat"), -1);  // four at most
    ASSERT_TRUE(model->OnMouseMove(100));

    model->RemoveFlight(1);
    EXPECT_EQ(model->FlightCount(), 3);
    const std::vector<LegendEntry> legend = model->Legend();
    ASSERT_EQ(legend.size(), 3u);
    EXPECT_EQ(legend[0].text, "ref.dat");
    EXPECT_EQ(legend[0].line, FlightLine::Solid);
    EXPECT_EQ(legend[1].text, "b.dat");
    EXPECT_EQ(legend[1].line, FlightLine::Dotted);
    EXPECT_EQ(legend[2].line, FlightLine::DashDot);
    // Colours go by place in the comparison, as the table's columns.
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(legend[static_cast<std::size_t>(k)].colour, kFlightColours[k]);
    }
    // The read-out already tells of the flights now shown.
    EXPECT_FLOAT_EQ(model->Readout().FlightValue(1, kVoltage).value(), 12.0f);
    EXPECT_FALSE(model->Readout().FlightValue(3, kVoltage).has_value());
    // A flight added again takes the line left free.
    EXPECT_EQ(model->AddFlight(*a, 0.0, "a.dat"), 3);
    EXPECT_EQ(model->Overlay().Line(3), FlightLine::Dashed);

    model->ClearFlights();
    EXPECT_EQ(model->FlightCount(), 1);
    EXPECT_TRUE(model->Legend().empty());
    EXPECT_EQ(model->TooltipText().find('|'), std::string::npos);
}

TEST_F(OverlayFixture, EveryCurveOfAFlightHasItsColourAndTheRecordAloneItsChannels) {
    reference->record.channels[kCurrent].colour = 0xFF0000;
    model->SetPowerColour(0x9314FF);
    EXPECT_EQ(model->CurveColour(0, kCurrent), 0xFF0000u);
    EXPECT_EQ(model->CurveColour(0, CurveModel::kPowerCurve), 0x9314FFu);
    const auto other = Flight(kUploadChannels, 50, 10, 150, 1);
    model->AddFlight(*other, 0.0, "b.dat");
    for (const int curve :
         {int{kVoltage}, int{kCurrent}, int{kMotorRpm}, CurveModel::kPowerCurve}) {
        EXPECT_EQ(model->CurveColour(0, curve), kFlightColours[0]) << curve;
        EXPECT_EQ(model->CurveColour(1, curve), kFlightColours[1]) << curve;
    }
    model->ClearFlights();
    EXPECT_EQ(model->CurveColour(0, kCurrent), 0xFF0000u);
}

TEST_F(OverlayFixture, TheTimeAxisReachesTheEndOfTheLongestFlight) {
    // 150 samples started 1 s later: its last one on plot sample 159.
    const auto longer = Flight(kUploadChannels, 150, 10, 150, 1);
    model->Cursors().PlaceAtSample(Cursor::A, 20);
    model->AddFlight(*longer, 1.0, "long.dat");
    EXPECT_EQ(model->View().SampleCount(), 160);
    EXPECT_EQ(model->View().LastVisible(), 160);
    EXPECT_EQ(model->View().TimeLabels().back(), "  15.9");
    // The reference ends at its own last sample, part way across.
    EXPECT_EQ(model->VisiblePoints(kVoltage).size(), 101u);
    EXPECT_EQ(model->VisiblePoints(kVoltage).back().x, 100 * 400 / 159);
    // Its end can be looked at and measured.
    model->Cursors().PlaceAtSample(Cursor::B, 1000);
    EXPECT_EQ(model->Cursors().SampleOf(Cursor::B), 159);
    ASSERT_TRUE(model->OnMouseMove(400));
    EXPECT_FALSE(model->Readout().FlightValue(0, kVoltage).has_value());  // past the reference
    EXPECT_FLOAT_EQ(model->Readout().FlightValue(1, kVoltage).value(), 29.9f);
    ASSERT_TRUE(model->ZoomAt(400, 4.0));
    EXPECT_EQ(model->View().LastVisible(), 160);
    EXPECT_EQ(model->FlightPoints(1, kVoltage).back().x, 400);

    // Without it the axis is the reference's again, the cursor on its end.
    model->RemoveFlight(1);
    EXPECT_EQ(model->View().SampleCount(), 101);
    EXPECT_LE(model->View().LastVisible(), 101);
    EXPECT_EQ(model->Cursors().SampleOf(Cursor::B), 100);
    EXPECT_EQ(model->Cursors().SampleOf(Cursor::A), 20);
}

TEST_F(OverlayFixture, TheTimeAxisReachesBackToTheStartOfAFlightAlignedEarlier) {
    // 40 samples started 2 s before the reference: plot samples -20 to 19.
    const auto earlier = Flight(kUploadChannels, 40, 10, 150, 1);
    model->Cursors().PlaceAtSample(Cursor::A, 30);
    model->AddFlight(*earlier, -2.0, "early.dat");
    EXPECT_EQ(model->View().AxisStart(), -20);
    EXPECT_EQ(model->View().FirstVisible(), -20);
    EXPECT_EQ(model->View().LastVisible(), 101);
    EXPECT_EQ(model->View().TimeLabels().front(), "  -2.0");
    EXPECT_EQ(model->View().TimeLabels().back(), "  10.0");
    // The reference begins part way across, its first sample at 0 s.
    const auto own = model->VisiblePoints(kVoltage);
    ASSERT_EQ(own.size(), 101u);
    EXPECT_EQ(own.front().x, 20 * 400 / 120);
    EXPECT_EQ(model->FlightPoints(1, kVoltage).front().x, 0);

    // Before the reference's start only the earlier flight has values.
    ASSERT_TRUE(model->OnMouseMove(0));
    EXPECT_FALSE(model->Readout().FlightValue(0, kVoltage).has_value());
    EXPECT_FLOAT_EQ(model->Readout().FlightValue(1, kVoltage).value(), 15.0f);
    // Cursors can stand there, and a zoom keeps the window on the axis.
    model->Cursors().PlaceAtSample(Cursor::B, -1000);
    EXPECT_EQ(model->Cursors().SampleOf(Cursor::B), -20);
    EXPECT_EQ(model->Cursors().Label(Cursor::B), "B -2.00 s");
    ASSERT_TRUE(model->ZoomAt(0, 4.0));
    EXPECT_EQ(model->View().FirstVisible(), -20);
    ASSERT_TRUE(model->OnRightClick());
    EXPECT_EQ(model->View().FirstVisible(), -20);
    // Aligned 2.8 s earlier as two alignment times give it (2.4 s - 5.2 s is
    // a rounding short of -2.8): from plot sample -28, not -29.
    model->SetFlightOffset(1, 2.4 - 5.2);
    EXPECT_EQ(model->View().AxisStart(), -28);

    // Without it the axis starts with the reference again, the cursor on it.
    model->RemoveFlight(1);
    EXPECT_EQ(model->View().AxisStart(), 0);
    EXPECT_EQ(model->View().FirstVisible(), 0);
    EXPECT_EQ(model->Cursors().SampleOf(Cursor::B), 0);
    EXPECT_EQ(model->Cursors().SampleOf(Cursor::A), 30);
}

TEST_F(OverlayFixture, AStackedPlotDrawsWhatTheRecordHasAndReadsItsOwnQuantity) {
    const std::vector<int> chosen{6, kCurrent, CurveModel::kPowerCurve, kVoltage};
    EXPECT_EQ(model->DrawnCurves(chosen), (std::vector<int>{kCurrent, kVoltage}));
    model->SetPowerShown(true);
    EXPECT_EQ(model->DrawnCurves(chosen),
              (std::vector<int>{kCurrent, CurveModel::kPowerCurve, kVoltage}));

    reference->record.channels[kCurrent].colour = 0xFF0000;
    ASSERT_TRUE(model->OnMouseMove(202));
    EXPECT_EQ(model->CurveTooltipText(kCurrent), "CUR: <font color=#0000ff>10.0A</font>");
    const auto other = Flight(kUploadChannels, 40, 10, 150, 1);
    model->AddFlight(*other, 0.0, "b.dat");
    ASSERT_TRUE(model->OnMouseMove(202));
    EXPECT_EQ(model->CurveTooltipText(CurveModel::kPowerCurve),
              "Pwr: <font color=#0072b2>201.0W</font> | <font color=#d55e00>-</font>");
}

}  // namespace
}  // namespace tavix
