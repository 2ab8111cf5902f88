// The computed power curve of the record page and the rows of the span
// read-out: what is drawn and read out with power shown or hidden, and for
// records that cannot give a power at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/analysis/AnalysisTestData.h"
#include "plot/CurveModel.h"
#include "plot/PlotMessages.h"
#include "plot/SpanReadout.h"

namespace tavix {
namespace {

// 400 samples at 10 per second: 12.0 V and a current rising 0.5 A every five
// samples (j / 10 A, to 39.5 A), so the power runs 0 .. 474 W.
struct PowerFixture : ::testing::Test {
    void Load(int channels) {
        record = test::MakeAnalysisRecord(channels, 400, 10, [](int ch, int j) {
            return ch == kVoltage ? 120 : ch == kCurrent ? j / 5 : 50;
        });
        for (int ch = 0; ch < kChannelCount; ++ch) {
            record->record.ranges[ch] = {0.0f, 50.0f};
            record->record.channels[ch].visible = 1;
        }
        record->record.dataLoaded = true;
        model = std::make_unique<CurveModel>(*record, windows);
        model->Place(401, 300);  // plot 400 x 290
        model->OnInitialUpdate();
    }

    std::unique_ptr<FlightData> record;
    std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    std::unique_ptr<CurveModel> model;
};

TEST_F(PowerFixture, ThePowerCurveFillsItsOwnRangeOnlyWhileShown) {
    Load(kUploadChannels);
    ASSERT_TRUE(model->PowerAvailable());
    EXPECT_TRUE(model->VisiblePowerPoints().empty());  // hidden at first
    model->SetPowerShown(true);
    const auto points = model->VisiblePowerPoints();
    ASSERT_EQ(points.size(), 400u);
    // 0 W on the bottom edge, the peak a twentieth of the height below the top.
    EXPECT_FLOAT_EQ(model->PowerRange().min, 0.0f);
    EXPECT_NEAR(model->PowerRange().max, 474.0f * 1.05f, 0.01f);
    EXPECT_EQ(points.front(), (PlotPoint{0, 290}));
    EXPECT_EQ(points.back().x, 400);
    EXPECT_NEAR(points.back().y, 290 - 290 / 1.05, 1.0);
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                               [](PlotPoint a, PlotPoint b) { return a.y > b.y; }));
    // A zoom maps the power curve as the channels.
    model->OnLeftClick(100);
    model->OnLeftClick(200);
    const auto zoomed = model->VisiblePowerPoints();
    const auto volts = model->VisiblePoints(kVoltage);
    ASSERT_EQ(zoomed.size(), volts.size());
    EXPECT_EQ(zoomed.front().x, volts.front().x);
    EXPECT_EQ(zoomed.back().x, volts.back().x);
}

TEST_F(PowerFixture, ThePowerScaleIsTheCurvesRangeAndOnlyWhileItIsDrawn) {
    Load(kUploadChannels);
    EXPECT_FALSE(model->PowerLabels());
    model->SetPowerShown(true);
    const auto labels = model->PowerLabels();
    ASSERT_TRUE(labels);
    // 0 .. 497.7 W: whole watts, a tenth of the range apart.
    EXPECT_EQ((*labels)[0], "   497 ");
    EXPECT_EQ((*labels)[1], "   447 ");
    EXPECT_EQ((*labels)[10], "     0 ");
}

TEST_F(PowerFixture, TheReadOutCarriesThePowerOnlyWhileItIsShown) {
    Load(kUploadChannels);
    model->SetPowerColour(0x00A0B0C0);  // COLORREF: red C0, green B0, blue A0
    model->OnMouseMove(202);            // sample 201.5: 12.0 V x 20.0 A
    EXPECT_EQ(model->Readout().PowerText(), "240.0");
    EXPECT_EQ(model->StatusText().find("Pwr"), std::string::npos);
    EXPECT_EQ(model->TooltipText().find("Pwr"), std::string::npos);
    model->SetPowerShown(true);
    EXPECT_NE(model->StatusText().find(", Pwr:240.0W"), std::string::npos);
    EXPECT_NE(model->TooltipText().find("<font color=#c0b0a0>Pwr: 240.0W</font>"),
              std::string::npos);
}

TEST_F(PowerFixture, ARecordWithoutCurrentHasNoPowerToShow) {
    Load(1);
    model->SetPowerShown(true);
    EXPECT_FALSE(model->PowerAvailable());
    EXPECT_TRUE(model->VisiblePowerPoints().empty());
    EXPECT_EQ(model->StatusText().find("Pwr"), std::string::npos);
    model->Cursors().Place(Cursor::A, 0);
    model->Cursors().Place(Cursor::B, 400);
    const SpanReadout readout = ReadSpan(*model);
    ASSERT_EQ(readout.rows.size(), 1u);  // the voltage alone
    EXPECT_EQ(readout.capacity, kSpanNoValue);
    EXPECT_EQ(readout.duration, "39.90 s");
}

// Rows follow the curves on screen: visible channels in channel order, then
// the power when drawn; the numbers are the index's, worded as the read-out.
TEST_F(PowerFixture, SpanRowsAreTheCurvesOnScreenWithTheIndexsNumbers) {
    Load(kUploadChannels);
    record->record.channels[kThrottle].visible = 0;
    model->Cursors().PlaceAtSample(Cursor::A, 100);
    model->Cursors().PlaceAtSample(Cursor::B, 300);
    const SpanStatistics span = model->Index()->Span(100, 300);

    struct Case {
        bool power;
        std::vector<int> quantity;
    };
    for (const Case& c :
         {Case{false, {kVoltage, kCurrent, kTemperature, kMotorRpm}},
          Case{true, {kVoltage, kCurrent, kTemperature, kMotorRpm, kPowerQuantity}}}) {
        model->SetPowerShown(c.power);
        const SpanReadout readout = ReadSpan(*model);
        ASSERT_EQ(readout.rows.size(), c.quantity.size());
        for (std::size_t r = 0; r < c.quantity.size(); ++r) {
            const SpanRow& row = readout.rows[r];
            const QuantitySpan& s = span.quantities[c.quantity[r]];
            SCOPED_TRACE(row.name);
            EXPECT_EQ(row.quantity, c.quantity[r]);
            EXPECT_EQ(row.unit, QuantityUnit(c.quantity[r]));
            EXPECT_EQ(row.min, ValueText(s.min));
            EXPECT_EQ(row.max, ValueText(s.max));
            EXPECT_EQ(row.mean, ValueText(static_cast<float>(s.mean)));
        }
    }
    const SpanReadout readout = ReadSpan(*model);
    const SpanRow& power = readout.rows.back();
    EXPECT_EQ(power.name, kPowerName);
    EXPECT_EQ(power.unit, "W");
    EXPECT_EQ(power.min, "120.0");  // 12 V x 10 A at sample 100
    EXPECT_EQ(power.max, "360.0");  // 12 V x 30 A at sample 300
    EXPECT_EQ(power.change, "+240.0");
    // Samples 100 .. 299 held a tenth of a second each: 12 V x 0.5 A x
    // (20 + 21 + ... + 59) x 5 / 10 s = 4740 Ws.
    EXPECT_EQ(readout.energy, "1.317 Wh");
}

}  // namespace
}  // namespace tavix
