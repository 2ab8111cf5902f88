// The main window's size rules, its clock pane and its command line.
#include <gtest/gtest.h>

#include "shell/CommandLine.h"
#include "shell/MinimumSizeRule.h"
#include "shell/StatusClock.h"

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

TEST(StatusClock, FormatsHoursMinutesSeconds) {
    EXPECT_EQ(FormatClock(LocalTime{2014, 3, 7, 9, 5, 3}), "09:05:03");
    EXPECT_EQ(FormatClock(LocalTime{2014, 3, 7, 23, 59, 59}), "23:59:59");
}

TEST(CommandLine, PortAndRecordFile) {
    auto line = ParseCommandLine({"--port", "/dev/ttyUSB1", "flight.dat"});
    EXPECT_EQ(line.port, "/dev/ttyUSB1");
    EXPECT_EQ(line.file, "flight.dat");
    EXPECT_TRUE(line.error.empty());

    line = ParseCommandLine({"2014-3-7_1.dat", "--port=demo"});
    EXPECT_EQ(line.port, "demo");
    EXPECT_EQ(line.file, "2014-3-7_1.dat");

    line = ParseCommandLine({});
    EXPECT_TRUE(line.port.empty());
    EXPECT_TRUE(line.file.empty());
    EXPECT_FALSE(line.help);

    EXPECT_TRUE(ParseCommandLine({"-h"}).help);
    EXPECT_TRUE(ParseCommandLine({"--help", "x.dat"}).help);
    // After "--" a name that starts with a dash is a file.
    EXPECT_EQ(ParseCommandLine({"--", "-odd.dat"}).file, "-odd.dat");
}

TEST(CommandLine, UsageErrorsSayWhatWasWrong) {
    EXPECT_NE(ParseCommandLine({"--port"}).error.find("--port needs a value"), std::string::npos);
    EXPECT_NE(ParseCommandLine({"--port="}).error.find("--port needs a value"), std::string::npos);
    EXPECT_NE(ParseCommandLine({"--verbose"}).error.find("unknown option '--verbose'"),
              std::string::npos);
    EXPECT_NE(ParseCommandLine({"a.dat", "b.dat"}).error.find("only one record file"),
              std::string::npos);
    EXPECT_NE(UsageText().find("--port"), std::string::npos);
}

TEST(CommandLine, ErrorsAreFoundBeforeTheWindowSystemTakesItsOptions) {
    // Without a display the window system cannot start: the program's own
    // options are checked first, with the window system's left aside.
    const std::vector<std::string> args = {"-platform",     "offscreen", "--port", "demo",
                                           "-style=fusion", "-reverse",  "a.dat"};
    EXPECT_EQ(WithoutWindowSystemOptions(args),
              (std::vector<std::string>{"--port", "demo", "a.dat"}));
    const CommandLine line = ParseCommandLine(WithoutWindowSystemOptions(args));
    EXPECT_TRUE(line.error.empty()) << line.error;
    EXPECT_EQ(line.file, "a.dat");
    EXPECT_NE(ParseCommandLine(WithoutWindowSystemOptions({"--bogus"})).error.find("'--bogus'"),
              std::string::npos);
    // After "--" nothing is the window system's.
    EXPECT_EQ(WithoutWindowSystemOptions({"--", "-reverse"}),
              (std::vector<std::string>{"--", "-reverse"}));
}

}  // namespace
}  // namespace tavix
