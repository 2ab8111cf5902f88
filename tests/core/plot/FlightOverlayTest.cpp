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
        {"earlier: its start is cut", 10, 40, -2.0, 20, 0, 4, 76, 20},
        {"half the rate", 5, 40, 0.0, 40, 0, 8, 312, 0},
        {"twice the rate, past the reference's end", 20, 300, 1.0, 181, 40, 42, 400, 0},
        {"wholly after the reference", 10, 40, 20.0, 0, 0, 0, 0, 0},
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
    // Moved back to start on the reference's last sample.
    model->SetFlightOffset(1, 10.0);
    EXPECT_EQ(model->FlightPoints(1, kVoltage).size(), 1u);
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
    EXPECT_EQ(model->FirstVisible(), 50);
    const auto zoomed = model->FlightPoints(1, kVoltage);
    ASSERT_EQ(zoomed.size(), static_cast<std::size_t>(model->LastVisible() - 50));
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
    EXPECT_FALSE(model->FlightValue(1, kCurrent).has_value());
    EXPECT_FALSE(model->FlightValue(1, CurveModel::kPowerCurve).has_value());
    // Plot sample 10.5: between 160 W and 161 W.
    EXPECT_NEAR(model->FlightValue(2, CurveModel::kPowerCurve).value(), 160.5f, 1e-3f);
}

TEST_F(OverlayFixture, TheReadOutListsEachFlightsValueAndADashWhereItHasNone) {
    const auto shorter = Flight(kUploadChannels, 40, 10, 150, 1);
    const auto halfRate = Flight(1, 60, 5, 150, 4);  // voltage only, 5 a second
    model->AddFlight(*shorter, 0.0, "short.dat");
    model->AddFlight(*halfRate, -1.0, "half.dat");
    model->SetPowerShown(true);
    model->SetPowerColour(0x0000FF);

    // Plot sample 50.5: past the shorter flight's end; the half-rate one's
    // sample (50.5 + 10) / 2 = 30.25.
    ASSERT_TRUE(model->OnMouseMove(202));
    EXPECT_EQ(model->TooltipText(),
              "<font color=red>VOL: 20.1V | - | 27.1V</font>\n"
              "<font color=green>CUR: 10.0A | - | -</font>\n"
              "<font color=blue>Thr: 25.0% | - | -</font>\n"
              "<font color=orange>Temp: 15.0\xA1\xE6 | - | -</font>\n"
              "<font color=magenta>RPM: 42857.1 | - | -</font>\n"
              "<font color=#ff0000>Pwr: 201.0W | - | -</font>");
    EXPECT_EQ(model->StatusText().substr(0, 36), "Current Value: Vol: 20.1V|-|27.1V, C");

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
    // The read-out already tells of the flights now shown.
    EXPECT_FLOAT_EQ(model->FlightValue(1, kVoltage).value(), 12.0f);
    EXPECT_FALSE(model->FlightValue(3, kVoltage).has_value());
    // A flight added again takes the line left free.
    EXPECT_EQ(model->AddFlight(*a, 0.0, "a.dat"), 3);
    EXPECT_EQ(model->Overlay().Line(3), FlightLine::Dashed);

    model->ClearFlights();
    EXPECT_EQ(model->FlightCount(), 1);
    EXPECT_TRUE(model->Legend().empty());
    EXPECT_EQ(model->TooltipText().find('|'), std::string::npos);
}

}  // namespace
}  // namespace tavix
