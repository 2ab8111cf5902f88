// The main form's gear-rate field and the one rule for gear rates and pole numbers.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "fakes/CommaLocale.h"
#include "shell/GearRateRule.h"

namespace tavix {
namespace {

TEST(GearRate, RoundsToTwoDecimalsWhileTyping) {
    GearRateEdit e = EditGearRate("3.456");
    EXPECT_TRUE(e.valid);
    EXPECT_FLOAT_EQ(e.value, 3.46f);
    EXPECT_TRUE(e.rewrite);
    EXPECT_EQ(e.text, "3.46");

    // Text already as it would be shown: nothing to rewrite.
    e = EditGearRate("3.46");
    EXPECT_FALSE(e.rewrite);
    EXPECT_FLOAT_EQ(e.value, 3.46f);
    e = EditGearRate("12");
    EXPECT_FALSE(e.rewrite);
    EXPECT_FLOAT_EQ(e.value, 12.0f);
    // Blanks around the number are trimmed away in the shown text.
    e = EditGearRate(" 2.5 ");
    EXPECT_TRUE(e.rewrite);
    EXPECT_EQ(e.text, "2.5");
}

TEST(GearRate, TextEndingInPointOrZeroStaysAsTyped) {
    for (const char* typed : {"3.", "3.0", "2.50", "10", "0", "0.0"}) {
        GearRateEdit e = EditGearRate(typed);
        EXPECT_TRUE(e.valid) << typed;
        EXPECT_FALSE(e.rewrite) << typed;
    }
    EXPECT_FLOAT_EQ(EditGearRate("2.50").value, 2.5f);
    // Still rounded in value, only the shown text waits.
    EXPECT_FLOAT_EQ(EditGearRate("1.4560").value, 1.46f);
}

TEST(GearRate, NoNumberLeavesValueAndTextAlone) {
    for (const char* typed :
         {"", "  ", ".", "-1", "1e3", "inf", "0x10", "1.2.3", "abc", "1000.01", "99999999"}) {
        GearRateEdit e = EditGearRate(typed);
        EXPECT_FALSE(e.valid) << typed;
        EXPECT_FALSE(e.rewrite) << typed;
    }
}

TEST(GearRate, ConfiguredValueStartsRoundedAndPositive) {
    EXPECT_FLOAT_EQ(InitialGearRate(3.14159), 3.14f);
    EXPECT_FLOAT_EQ(InitialGearRate(0.0), 1.0f);
    EXPECT_FLOAT_EQ(InitialGearRate(-2.5), 1.0f);
    EXPECT_FLOAT_EQ(InitialGearRate(0.004), 1.0f);  // rounds to 0.00
    EXPECT_EQ(GearRateText(1.0f), "1");
    EXPECT_EQ(GearRateText(3.5f), "3.5");
    EXPECT_EQ(GearRateText(RoundGearRate(3.456)), "3.46");
}

TEST(GearRate, NotANumberOrInfinityStartsAsOne) {
    // config.ini may hold "nan" or a number too large for the field.
    EXPECT_FLOAT_EQ(InitialGearRate(std::numeric_limits<double>::quiet_NaN()), 1.0f);
    EXPECT_FLOAT_EQ(InitialGearRate(std::numeric_limits<double>::infinity()), 1.0f);
    EXPECT_FLOAT_EQ(InitialGearRate(1e39), 1.0f);
    // A finite float too large for any gearing would overflow the RPM.
    EXPECT_FLOAT_EQ(InitialGearRate(1e38), 1.0f);
    EXPECT_FLOAT_EQ(InitialGearRate(1000.004), 1000.0f);  // the largest, once rounded
    EXPECT_FLOAT_EQ(InitialGearRate(1000.01), 1.0f);
}

TEST(GearRate, DecimalPointHoldsInACommaLocale) {
    const test::CommaLocale locale;
    if (!locale.Active()) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    EXPECT_FLOAT_EQ(RoundGearRate(3.456), 3.46f);
    EXPECT_FLOAT_EQ(InitialGearRate(2.5), 2.5f);
    EXPECT_EQ(GearRateText(3.5f), "3.5");
    const GearRateEdit e = EditGearRate("3.456");
    EXPECT_TRUE(e.valid);
    EXPECT_FLOAT_EQ(e.value, 3.46f);
    EXPECT_EQ(e.text, "3.46");
    EXPECT_FLOAT_EQ(EditGearRate("2.50").value, 2.5f);
}

}  // namespace
}  // namespace tavix
