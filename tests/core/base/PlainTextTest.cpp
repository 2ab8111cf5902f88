#include "base/PlainText.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

TEST(PlainTextTest, CutsAtTheFirstZeroByteAndTrimsOnlyTheBlanksAsked) {
    using namespace std::string_literals;
    EXPECT_EQ(UpToZero("TVKA\0\0junk"s), "TVKA");
    EXPECT_EQ(UpToZero("no zero"), "no zero");
    EXPECT_EQ(UpToZero("\0tail"s), "");

    struct Case {
        std::string_view text;
        std::string_view blanks;
        std::string both, left, right;
    };
    const Case cases[] = {
        {" \t a b \r\n", kWhiteSpace, "a b", "a b \r\n", " \t a b"},
        {" \t a b \t ", " ", "\t a b \t", "\t a b \t ", " \t a b \t"},
        {"   ", kWhiteSpace, "", "", ""},
        {"", " ", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Trimmed(c.text, c.blanks), c.both) << c.text;
        EXPECT_EQ(TrimmedLeft(c.text, c.blanks), c.left) << c.text;
        EXPECT_EQ(TrimmedRight(c.text, c.blanks), c.right) << c.text;
    }
}

}  // namespace
}  // namespace tavix
