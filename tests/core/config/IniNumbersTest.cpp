#include "config/IniNumbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>
#include "fakes/CommaLocale.h"

namespace tavix {
namespace {

TEST(IniNumbers, ReadLikeTheCLibraryInTheCLocale) {
    EXPECT_EQ(IniToInt(" \t-42 apples"), -42);
    EXPECT_EQ(IniToInt("- 5"), 0);
    EXPECT_EQ(IniToInt("0x10"), 0);
    EXPECT_EQ(IniToInt("2147483647"), 2147483647);
    EXPECT_EQ(IniToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(IniToInt(std::string(400, '9')), 2147483647);

    EXPECT_DOUBLE_EQ(IniToReal("0.5e1"), 5.0);
    EXPECT_DOUBLE_EQ(IniToReal("  .25"), 0.25);
    EXPECT_DOUBLE_EQ(IniToReal("1.5.3"), 1.5);
    EXPECT_DOUBLE_EQ(IniToReal("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(IniToReal("0x1.8p1"), 3.0);
    EXPECT_DOUBLE_EQ(IniToReal("--1"), 0.0);
    EXPECT_DOUBLE_EQ(IniToReal(""), 0.0);
    EXPECT_TRUE(std::isinf(IniToReal("1e999")));
    EXPECT_TRUE(std::isinf(IniToReal("-inf")));
}

TEST(IniNumbers, RealsIgnoreTheProcessLocale) {
    const test::CommaLocale locale;
    if (!locale.Active()) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    EXPECT_DOUBLE_EQ(IniToReal("0.01"), 0.01);
    EXPECT_DOUBLE_EQ(IniToReal("-12.5e-1x"), -1.25);
    EXPECT_DOUBLE_EQ(IniToReal("0,5"), 0.0);
    EXPECT_DOUBLE_EQ(IniToReal("3,25.5"), 3.0);
    EXPECT_DOUBLE_EQ(IniToReal("0x1.8p1"), 3.0);
    EXPECT_DOUBLE_EQ(IniToReal(".5"), 0.5);
}

}  // namespace
}  // namespace tavix
