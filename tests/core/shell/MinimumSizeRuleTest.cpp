// The main window opens at its minimum size in the middle of the screen.
#include <gtest/gtest.h>

#include "shell/MinimumSizeRule.h"

namespace tavix {
namespace {

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
