// Moving through a record: the wheel's zoom around the pointer and the pan
// drag, on a plot 400 pixels wide over 1000 samples (sample j of a window of
// n drawn at (j - first) x 400 / (n - 1)).
#include "plot/PlotView.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

struct PlotViewTest : ::testing::Test {
    PlotViewTest() {
        view.Place(401, 300);
        view.Reset(1000, true);
    }
    void ExpectWindow(int first, int last, const char* what = "") {
        EXPECT_EQ(view.FirstVisible(), first) << what;
        EXPECT_EQ(view.LastVisible(), last) << what;
    }
    PlotView view;
};

TEST_F(PlotViewTest, TheWheelZoomsAroundThePointerInsideTheRecord) {
    struct Case {
        int x;
        double notches;
        int first, last;
        const char* what;
    };
    const Case cases[] = {
        // Sample 499.5 lies under x = 200 before and after.
        {200, 1, 100, 900, "a notch in: 800 samples"},
        {0, 1, 0, 800, "at the left edge the first sample stays"},
        {400, 1, 200, 1000, "at the right edge the last sample stays"},
        {100, 3, 122, 634, "three notches: 1000 / 1.25^3 samples"},
        {200, 0.5, 53, 947, "half a notch from a touchpad"},
        {200, 60, 495, 505, "never fewer than ten samples"},
    };
    for (const Case& c : cases) {
        view.ShowAll();
        EXPECT_TRUE(view.ZoomAt(c.x, c.notches)) << c.what;
        ExpectWindow(c.first, c.last, c.what);
    }
    view.ShowAll();
    EXPECT_FALSE(view.ZoomAt(200, -1)) << "the whole record cannot grow";
    ExpectWindow(0, 1000);
    EXPECT_TRUE(view.ZoomAt(200, 60));
    EXPECT_FALSE(view.ZoomAt(200, 1)) << "ten samples cannot shrink";
}

TEST_F(PlotViewTest, ThePointerReadsTheSampleDrawnUnderIt) {
    // Ten samples, 495 to 504: 504 stands at the right edge, never 505.
    ASSERT_TRUE(view.ZoomAt(200, 60));
    ExpectWindow(495, 505);
    EXPECT_FLOAT_EQ(view.PositionAt(0), 495.0f);
    EXPECT_FLOAT_EQ(view.PositionAt(200), 499.5f);
    EXPECT_FLOAT_EQ(view.PositionAt(400), 504.0f);
    EXPECT_FLOAT_EQ(view.PositionAt(500), 504.0f);  // past the plot: its edge
}

TEST_F(PlotViewTest, ZoomingOutNearAnEndStopsAtTheRecordsEdge) {
    ASSERT_TRUE(view.ZoomAt(400, 10));  // the last 107 samples
    ExpectWindow(893, 1000);
    ASSERT_TRUE(view.ZoomAt(0, -1));  // 134 from sample 893 would pass the end
    ExpectWindow(866, 1000);
    ASSERT_TRUE(view.ZoomAt(200, -30));
    ExpectWindow(0, 1000);
}

TEST_F(PlotViewTest, APanDragCarriesTheGrabbedSampleWithThePointer) {
    ASSERT_TRUE(view.ZoomAt(200, 1));  // samples 100-900
    EXPECT_FALSE(view.PanTo(180)) << "no drag begun";
    ASSERT_TRUE(view.BeginPan(200));
    struct Step {
        int x;
        bool moved;
        int first;
    };
    const Step steps[] = {
        {180, true, 140},                  // 20 pixels left: 20 x 799 / 400 samples later
        {230, true, 40},                   // every step measured from where the drag began
        {400, true, 0},                    // not before the record's start
        {420, false, 0},  {0, true, 200},  // not past its end
        {200, true, 100},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(view.PanTo(s.x), s.moved) << s.x;
        ExpectWindow(s.first, s.first + 800);
    }
    view.EndPan();
    EXPECT_FALSE(view.PanTo(0));

    view.ShowAll();
    ASSERT_TRUE(view.BeginPan(200));
    EXPECT_FALSE(view.PanTo(0)) << "the whole record has nowhere to go";
}

TEST_F(PlotViewTest, MovingTheWindowDropsAPendingClickAndNeedsARecord) {
    ASSERT_EQ(view.OnLeftClick(50), ClickResult::Marked);
    EXPECT_FALSE(view.ZoomAt(200, -1));
    EXPECT_TRUE(view.Selecting()) << "nothing moved: the marker stays";
    EXPECT_TRUE(view.ZoomAt(200, 1));
    EXPECT_FALSE(view.Selecting());

    view.Reset(6, true);  // shorter than ten samples: all of it, always
    EXPECT_FALSE(view.ZoomAt(200, 1));
    ExpectWindow(0, 6);

    view.Reset(0, false);
    EXPECT_FALSE(view.ZoomAt(200, 1));
    EXPECT_FALSE(view.BeginPan(200));
}

TEST_F(PlotViewTest, TimeLabelsShowTheDecimalsTheirStepNeedsAndShareThem) {
    struct Case {
        int samples;
        double rate;
        const char* second;
        const char* fourth;
        const char* last;
        const char* what;
    };
    const Case cases[] = {
        // The right edge is the last sample's time: samples 0-1000 span 100 s.
        {1001, 10, "    10", "    30", "   100", "whole seconds: no decimals"},
        {1000, 10, "  10.0", "  30.0", "  99.9", "a step of 9.99 s reads to a tenth of it"},
        {21, 10, "   0.2", "   0.6", "   2.0", "0.2 s: one decimal, on every label"},
        {11, 4, "  0.25", "  0.75", "  2.50", "0.25 s: two"},
        {101, 30, "  0.33", "  1.00", "  3.33", "a third of a second: a tenth of it shows"},
        {11, 30, " 0.033", " 0.100", " 0.333", "ten samples at 30 per second"},
        {16384, 1, "  1638", "  4915", " 16383", "a long step never gets decimals"},
        {1001, 0, "   100", "   300", "  1000", "no rate: sample numbers"},
    };
    for (const Case& c : cases) {
        view.Reset(c.samples, true);
        view.BuildTimeLabels(c.rate);
        EXPECT_EQ(view.TimeLabels()[1], c.second) << c.what;
        EXPECT_EQ(view.TimeLabels()[3], c.fourth) << c.what;
        EXPECT_EQ(view.TimeLabels()[10], c.last) << c.what;
    }
    // A zoomed window (samples 250-752) whose step is no round number:
    // 25.0 to 75.2 s in steps of 5.02 s reads to a tenth of a second.
    view.Reset(1000, true);
    view.OnLeftClick(100);
    view.OnLeftClick(301);
    view.BuildTimeLabels(10);
    EXPECT_EQ(view.TimeLabels()[0], "  25.0");
    EXPECT_EQ(view.TimeLabels()[1], "  30.0");
    EXPECT_EQ(view.TimeLabels()[10], "  75.2");

    view.Reset(0, false);  // no record, no time axis at all
    view.BuildTimeLabels(10);
    for (const std::string& label : view.TimeLabels()) {
        EXPECT_EQ(label, "");
    }
}

TEST_F(PlotViewTest, ALongerTimeAxisKeepsAZoomAndAWholeViewStaysWhole) {
    struct Case {
        int zoomX;  // a notch in at this column first; -1: the whole axis
        int start, samples;
        int first, last;
        const char* what;
    };
    const Case cases[] = {
        {-1, 0, 1500, 0, 1500, "the whole axis grows with it"},
        {-1, 0, 600, 0, 600, "and shrinks with it"},
        {-1, -300, 1000, -300, 1000, "and reaches back before the record"},
        {-1, 50, 1200, 0, 1200, "but never starts after it"},
        {200, 0, 1500, 100, 900, "a zoom (100-900) stays where it was"},
        {200, -300, 1000, 100, 900, "also when the axis reaches back"},
        {400, 0, 900, 100, 900, "a zoom (200-1000) past the new end moves inside it"},
        {200, 0, 50, 0, 50, "an axis shorter than the zoom shows all of it"},
    };
    for (const Case& c : cases) {
        view.Reset(1000, true);
        if (c.zoomX >= 0) {
            ASSERT_TRUE(view.ZoomAt(c.zoomX, 1)) << c.what;
        }
        EXPECT_TRUE(view.SetAxis(c.start, c.samples)) << c.what;
        EXPECT_EQ(view.SampleCount(), c.samples) << c.what;
        ExpectWindow(c.first, c.last, c.what);
    }
    EXPECT_FALSE(view.SetAxis(0, 50));  // no change
}

TEST_F(PlotViewTest, AnAxisReachingBeforeTheRecordIsMovedThroughAsAWhole) {
    view.Reset(1000, true);
    ASSERT_TRUE(view.SetAxis(-200, 1000));
    EXPECT_FLOAT_EQ(view.PositionAt(0), -200.0f);
    view.BuildTimeLabels(100);
    EXPECT_EQ(view.TimeLabels().front(), "  -2.0");
    // Zooming out, panning and a selection at the left edge stop at the
    // axis's start, not at the record's.
    ASSERT_TRUE(view.ZoomAt(0, 2));
    ExpectWindow(-200, 568, "zoomed in at the left edge");
    ASSERT_TRUE(view.BeginPan(0));
    EXPECT_FALSE(view.PanTo(400));
    view.EndPan();
    view.OnLeftClick(0);
    view.OnLeftClick(1);
    ExpectWindow(-200, -190, "ten samples at the axis's start");
    ASSERT_TRUE(view.ZoomAt(200, -40));
    ExpectWindow(-200, 1000, "zoomed out: the whole axis");
}

}  // namespace
}  // namespace tavix
