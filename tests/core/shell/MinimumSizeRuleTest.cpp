// The main window keeps 800 x 600 at least, whichever edge is dragged.
#include <gtest/gtest.h>

#include "shell/MinimumSizeRule.h"

namespace tavix {
namespace {

TEST(MinimumSizeRule, TooNarrowKeepsTheEdgeOppositeTheDrag) {
    const MinimumSizeRule rule;
    // Dragging the left border right, to 500 wide: the right border stays.
    FrameRect r{400, 100, 900, 700};
    rule.Apply(SizingEdge::Left, r);
    EXPECT_EQ(r, (FrameRect{100, 100, 900, 700}));

    for (SizingEdge edge : {SizingEdge::TopLeft, SizingEdge::BottomLeft}) {
        FrameRect c{400, 100, 900, 700};
        rule.Apply(edge, c);
        EXPECT_EQ(c.left, 100);
        EXPECT_EQ(c.right, 900);
    }
    for (SizingEdge edge : {SizingEdge::Right, SizingEdge::TopRight, SizingEdge::BottomRight,
                            SizingEdge::Top, SizingEdge::Bottom}) {
        FrameRect c{400, 100, 900, 700};
        rule.Apply(edge, c);
        EXPECT_EQ(c.left, 400);
        EXPECT_EQ(c.right, 1200);
    }
}

TEST(MinimumSizeRule, TooLowKeepsTheEdgeOppositeTheDrag) {
    const MinimumSizeRule rule;
    for (SizingEdge edge : {SizingEdge::Top, SizingEdge::TopLeft, SizingEdge::TopRight}) {
        FrameRect c{0, 300, 1000, 700};
        rule.Apply(edge, c);
        EXPECT_EQ(c, (FrameRect{0, 100, 1000, 700}));
    }
    for (SizingEdge edge : {SizingEdge::Bottom, SizingEdge::BottomLeft, SizingEdge::BottomRight,
                            SizingEdge::Left, SizingEdge::Right}) {
        FrameRect c{0, 300, 1000, 700};
        rule.Apply(edge, c);
        EXPECT_EQ(c, (FrameRect{0, 300, 1000, 900}));
    }
    // Both at once, from the top-left corner.
    FrameRect both{500, 500, 600, 600};
    rule.Apply(SizingEdge::TopLeft, both);
    EXPECT_EQ(both, (FrameRect{-200, 0, 600, 600}));
    // Big enough: untouched.
    FrameRect big{0, 0, 1024, 768};
    rule.Apply(SizingEdge::Left, big);
    EXPECT_EQ(big, (FrameRect{0, 0, 1024, 768}));
}

TEST(MinimumSizeRule, CentresTheFirstPlacement) {
    const MinimumSizeRule rule;
    EXPECT_EQ(rule.CentredOn(1280, 1024), (FrameRect{240, 212, 1040, 812}));
    EXPECT_EQ(rule.CentredOn(1281, 1025), (FrameRect{240, 212, 1040, 812}));
    // Halves round toward zero, also below zero.
    EXPECT_EQ(rule.CentredOn(799, 599).left, 0);
    EXPECT_EQ(rule.CentredOn(640, 480), (FrameRect{-80, -60, 720, 540}));
}

}  // namespace
}  // namespace tavix
