// The program's command line: --port, --config, a record file, and the window system's own options.
#include <gtest/gtest.h>

#include "shell/CommandLine.h"

namespace tavix {
namespace {

TEST(CommandLine, PortAndRecordFile) {
    auto line = ParseCommandLine({"--port", "/dev/ttyUSB1", "flight.dat"});
    EXPECT_EQ(line.port, "/dev/ttyUSB1");
    EXPECT_EQ(line.file, "flight.dat");
    EXPECT_TRUE(line.error.empty());

    line = ParseCommandLine({"2014-3-7_1.dat", "--port=demo", "--config", "/x/my.ini"});
    EXPECT_EQ(line.port, "demo");
    EXPECT_EQ(line.file, "2014-3-7_1.dat");
    EXPECT_EQ(line.config, "/x/my.ini");

    line = ParseCommandLine({});
    EXPECT_TRUE(line.port.empty());
    EXPECT_TRUE(line.config.empty());
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
