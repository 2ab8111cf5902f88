// The status bar's clock pane.
#include <gtest/gtest.h>

#include "shell/StatusClock.h"

namespace tavix {
namespace {

TEST(StatusClock, FormatsHoursMinutesSeconds) {
    EXPECT_EQ(FormatClock(LocalTime{2014, 3, 7, 9, 5, 3}), "09:05:03");
    EXPECT_EQ(FormatClock(LocalTime{2014, 3, 7, 23, 59, 59}), "23:59:59");
}

}  // namespace
}  // namespace tavix
