#include "plot/EventMarkers.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/analysis/AnalysisTestData.h"
#include "plot/CurveModel.h"

namespace tavix {
namespace {

FlightEvent Event(int first, int last, EventKind kind = EventKind::OverTemp) {
    FlightEvent e;
    e.kind = kind;
    e.first = first;
    e.last = last;
    return e;
}

// 101 samples on a 400-pixel plot: sample j is drawn at column 4 j.
struct MarkerFixture : ::testing::Test {
    MarkerFixture() {
        record = test::MakeAnalysisRecord(kUploadChannels, 101, 5, [](int, int) { return 50; });
        for (int ch = 0; ch < kChannelCount; ++ch) {
            record->record.ranges[ch] = {0.0f, 200.0f};
        }
        record->record.dataLoaded = true;
        model = std::make_unique<CurveModel>(*record, windows);
        model->Place(401, 300);
        model->OnInitialUpdate();
    }
    std::unique_ptr<FlightData> record;
    std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    std::unique_ptr<CurveModel> model;
};

TEST_F(MarkerFixture, MarkersCoverTheirSamplesAndStayVisible) {
    struct Case {
        const char* name;
        FlightEvent event;
        int left;
        int right;
    };
    const Case cases[] = {
        {"a stretch", Event(10, 20), 40, 80},
        {"one sample grows to the least width", Event(50, 50), 199, 202},
        {"at the first sample, kept inside", Event(0, 0), 0, 3},
        {"at the last sample, kept inside", Event(100, 100), 397, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto markers = PlaceEventMarkers({c.event}, *model);
        ASSERT_EQ(markers.size(), 1u);
        EXPECT_EQ(markers[0].left, c.left);
        EXPECT_EQ(markers[0].right, c.right);
        EXPECT_EQ(markers[0].colour, EventColour(EventKind::OverTemp));
    }
}

TEST_F(MarkerFixture, ZoomedOutOfViewAndPointedAt) {
    const std::vector<FlightEvent> events{Event(10, 20), Event(18, 30, EventKind::LowCell),
                                          Event(90, 95)};
    auto markers = PlaceEventMarkers(events, *model);
    ASSERT_EQ(markers.size(), 3u);
    EXPECT_EQ(EventAtColumn(markers, 76), 1);  // both cover it: the later one is on top
    EXPECT_EQ(EventAtColumn(markers, 41), 0);
    EXPECT_FALSE(EventAtColumn(markers, 200));

    // Zoomed to samples 0-50: the last event is out of view.
    model->OnLeftClick(0);
    model->OnLeftClick(200);
    markers = PlaceEventMarkers(events, *model);
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(markers[1].event, 1);
}

TEST(EventMarkers, CursorsSpanTheEventsTime) {
    EXPECT_EQ(CursorsAround(Event(10, 20), 101).a, 10);
    EXPECT_EQ(CursorsAround(Event(10, 20), 101).b, 21);
    EXPECT_EQ(CursorsAround(Event(95, 100), 101).b, 100);
    EXPECT_EQ(CursorsAround(Event(0, 0), 1).b, 0);
}

}  // namespace
}  // namespace tavix
