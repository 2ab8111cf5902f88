// The command-line parser's one-letter options.
#include "shell/OptionParser.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

TEST(OptionParser, AShortNameIsTheLongOptionWithItsValueInTheNextArgument) {
    const std::vector<OptionRule> rules{{"--out", true, "a file", "-o"}, {"--config"}};
    const struct {
        std::vector<std::string> args;
        std::string out;
        std::string error;
    } cases[] = {
        {{"a.dat", "-o", "x.csv"}, "x.csv", ""},
        {{"-o", "x.csv", "--out=y.csv"}, "y.csv", ""},  // the last one counts
        {{"a.dat", "-o"}, "", "--out needs a value: a file"},
        {{"--config", "-o"}, "", ""},  // a value that looks like an option
        {{"-x"}, "", "unknown option '-x'"},
    };
    for (const auto& c : cases) {
        const ParsedArgs parsed = ParseArgs(c.args, rules);
        EXPECT_EQ(parsed.Get("--out"), c.out) << c.args.front();
        EXPECT_EQ(parsed.error, c.error) << c.args.front();
    }
}

}  // namespace
}  // namespace tavix
