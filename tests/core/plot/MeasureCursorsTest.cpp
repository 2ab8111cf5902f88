#include "plot/MeasureCursors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "core/analysis/AnalysisTestData.h"
#include "plot/CurveModel.h"
#include "plot/PlotMessages.h"
#include "plot/SpanReadout.h"

namespace tavix {
namespace {

// A 5-channel record at 20 samples per second on a 400-pixel plot: the voltage
// rises 0.1 V per sample, the current is 10 A, the rest holds still.
struct CursorFixture : ::testing::Test {
    void Load(int samples, int rate = 20) {
        record = test::MakeAnalysisRecord(kUploadChannels, samples, rate, [](int ch, int j) {
            return ch == kVoltage ? 100 + j : ch == kCurrent ? 20 : 40;
        });
        for (int ch = 0; ch < kChannelCount; ++ch) {
            record->record.ranges[ch] = {0.0f, 200.0f};
            record->record.channels[ch].visible = 1;
        }
        SetFixedText(record->record.channels[kVoltage].name, "Voltage    ");
        record->record.dataLoaded = true;
        model = std::make_unique<CurveModel>(*record, windows);
        model->Place(401, 300);  // plot 400 x 290
        model->OnInitialUpdate();
    }
    MeasureCursors& Cursors() { return model->Cursors(); }

    std::unique_ptr<FlightData> record;
    std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    std::unique_ptr<CurveModel> model;
};

// Every column of the plot picks the sample drawn nearest to it, and every
// sample of the window is drawn where the curves draw it: for long and short
// windows, a zoomed one and a record of one sample.
TEST_F(CursorFixture, APixelPicksTheSampleDrawnNearestToIt) {
    struct Case {
        int samples;
        bool zoom;
    };
    for (const Case c : {Case{1001, false}, Case{16384, false}, Case{7, false}, Case{1000, true},
                         Case{1, false}}) {
        SCOPED_TRACE(testing::Message() << c.samples << (c.zoom ? " zoomed" : ""));
        Load(c.samples);
        if (c.zoom) {
            model->OnLeftClick(100);
            model->OnLeftClick(131);
        }
        const int first = model->View().FirstVisible();
        const int end = std::min(model->View().LastVisible(), model->View().SampleCount());
        const auto points = model->VisiblePoints(kVoltage);
        for (int j = first; j < end; ++j) {
            ASSERT_EQ(Cursors().PixelOf(j), points[j - first].x) << j;
        }
        for (int x = 0; x <= 400; ++x) {
            const int j = Cursors().SampleAt(x);
            ASSERT_GE(j, first);
            ASSERT_LT(j, end);
            const int distance = std::abs(points[j - first].x - x);
            for (const PlotPoint& p : points) {
                ASSERT_GE(std::abs(p.x - x), distance) << "x " << x;
            }
        }
        // Beyond the plot the edge samples stand; outside the window no column.
        EXPECT_EQ(Cursors().SampleAt(-50), first);
        EXPECT_EQ(Cursors().SampleAt(450), end - 1);
        EXPECT_FALSE(Cursors().PixelOf(end).has_value());
        EXPECT_FALSE(Cursors().PixelOf(first - 1).has_value());
    }
}

TEST_F(CursorFixture, CursorsAtTheRecordsEndsMeasureTheWholeRecordInEitherOrder) {
    Load(1001);
    EXPECT_FALSE(Cursors().Span().has_value());
    ASSERT_TRUE(Cursors().Place(Cursor::A, 401));  // past the right edge: the last sample
    EXPECT_FALSE(Cursors().Span().has_value());    // one cursor measures nothing
    ASSERT_TRUE(Cursors().Place(Cursor::B, -3));   // left of the plot: the first
    EXPECT_EQ(Cursors().SampleOf(Cursor::A), 1000);
    EXPECT_EQ(Cursors().SampleOf(Cursor::B), 0);
    EXPECT_EQ(Cursors().Label(Cursor::A), "A 50.00 s");
    EXPECT_EQ(Cursors().Label(Cursor::B), "B 0.00 s");

    const auto span = Cursors().Span();
    ASSERT_TRUE(span.has_value());
    EXPECT_TRUE(span->swapped);
    EXPECT_EQ(span->first, 0);
    EXPECT_EQ(span->last, 1000);
    ASSERT_TRUE(span->seconds.has_value());
    EXPECT_DOUBLE_EQ(*span->seconds, 50.0);
    // 10 A held over 1000 samples of 1/20 s: 10 x 50 / 3.6 mAh.
    EXPECT_NEAR(*span->capacityMah, 10.0 * 50.0 / 3.6, 1e-9);
    // The voltage runs 10.0 .. 110.0 V; from A (the end) to B it falls.
    EXPECT_FLOAT_EQ(span->quantities[kVoltage].min, 10.0f);
    EXPECT_FLOAT_EQ(span->quantities[kVoltage].max, 110.0f);
    EXPECT_NEAR(span->quantities[kVoltage].mean, 60.0, 1e-4);

    const SpanReadout readout = ReadSpan(*model);
    ASSERT_TRUE(readout.complete);
    ASSERT_FALSE(readout.rows.empty());
    EXPECT_EQ(readout.rows[0].name, "Voltage");
    EXPECT_EQ(readout.rows[0].change, "-100.0");
    EXPECT_EQ(readout.duration, "50.00 s");
    EXPECT_EQ(readout.capacity, "138.9 mAh");

    // The same cursors the other way round measure the same span, rising.
    Cursors().Place(Cursor::A, 0);
    Cursors().Place(Cursor::B, 400);
    EXPECT_FALSE(Cursors().Span()->swapped);
    EXPECT_EQ(ReadSpan(*model).rows[0].change, "+100.0");
    EXPECT_EQ(ReadSpan(*model).capacity, readout.capacity);
}

TEST_F(CursorFixture, ACursorKeepsItsSampleThroughAZoomAndGoesWithANewRecord) {
    Load(1000);
    Cursors().Place(Cursor::A, 120);
    const int sample = *Cursors().SampleOf(Cursor::A);
    model->OnLeftClick(100);
    model->OnLeftClick(140);  // zoom around it
    EXPECT_EQ(Cursors().SampleOf(Cursor::A), sample);
    const auto pixel = Cursors().PixelOf(sample);
    ASSERT_TRUE(pixel.has_value());
    EXPECT_NEAR(*pixel, 200, 12);  // 120 of 100..140 is the middle of the plot
    model->OnLeftClick(0);
    model->OnLeftClick(20);  // zoom away from it: not drawn
    EXPECT_FALSE(Cursors().PixelOf(sample).has_value());
    EXPECT_FALSE(Cursors().CursorNear(0).has_value());

    model->OnInitialUpdate();  // a record is loaded
    EXPECT_FALSE(Cursors().AnyPlaced());
    EXPECT_EQ(Cursors().Label(Cursor::A), "");
}

TEST_F(CursorFixture, APressNearACursorGrabsItAndDraggingMovesItBySamples) {
    Load(100);  // 4 pixels per sample
    Cursors().Place(Cursor::A, 40);
    Cursors().Place(Cursor::B, 48);
    EXPECT_FALSE(Cursors().CursorNear(44).has_value());  // 4 pixels from both
    EXPECT_EQ(Cursors().CursorNear(42), Cursor::A);
    EXPECT_EQ(Cursors().CursorNear(45), Cursor::B);
    Cursors().Place(Cursor::B, 40);
    EXPECT_EQ(Cursors().CursorNear(40), Cursor::B);  // on one column: B comes off first

    ASSERT_TRUE(Cursors().BeginDrag(Cursor::B));
    EXPECT_FALSE(Cursors().DragTo(41));  // still the same sample: nothing to measure again
    EXPECT_TRUE(Cursors().DragTo(80));
    EXPECT_EQ(Cursors().SampleOf(Cursor::B), 20);
    EXPECT_EQ(Cursors().SampleOf(Cursor::A), 10);
    Cursors().EndDrag();
    EXPECT_FALSE(Cursors().DragTo(200));
    // The arrow keys step the cursor last moved, inside the record.
    EXPECT_TRUE(Cursors().Step(-3));
    EXPECT_EQ(Cursors().SampleOf(Cursor::B), 17);
    Cursors().Place(Cursor::A, 0);
    EXPECT_FALSE(Cursors().Step(-1));  // A stands on the first sample already
    EXPECT_TRUE(Cursors().Step(500));
    EXPECT_EQ(Cursors().SampleOf(Cursor::A), 99);
    EXPECT_EQ(Cursors().SampleOf(Cursor::B), 17);
    EXPECT_TRUE(Cursors().Clear());
    EXPECT_FALSE(Cursors().Clear());
    EXPECT_FALSE(Cursors().BeginDrag(Cursor::A));  // nothing placed to grab
    EXPECT_FALSE(Cursors().Step(1));
}

TEST_F(CursorFixture, WithoutARecordNothingIsPlacedAndWithoutARateSamplesAreCounted) {
    record = std::make_unique<FlightData>();
    model = std::make_unique<CurveModel>(*record, windows);
    model->Place(401, 300);
    model->OnInitialUpdate();
    EXPECT_FALSE(Cursors().Place(Cursor::A, 10));
    EXPECT_FALSE(Cursors().PlaceAtSample(Cursor::B, 10));
    EXPECT_EQ(model->Index(), nullptr);

    Load(200, 0);
    Cursors().PlaceAtSample(Cursor::A, 150);
    Cursors().PlaceAtSample(Cursor::B, 500);  // clamped to the last sample
    EXPECT_EQ(Cursors().Label(Cursor::A), "A #150");
    EXPECT_EQ(Cursors().Label(Cursor::B), "B #199");
    const SpanReadout readout = ReadSpan(*model);
    EXPECT_EQ(readout.duration, "49 samples");
    EXPECT_EQ(readout.capacity, kSpanNoValue);
    EXPECT_EQ(readout.energy, kSpanNoValue);
}

}  // namespace
}  // namespace tavix
