// The main form's gear-rate field and the File menu's recent-file list.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "shell/GearRateRule.h"
#include "shell/RecentFileList.h"

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
    for (const char* typed : {"", "  ", ".", "-1", "1e3", "inf", "0x10", "1.2.3", "abc"}) {
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
}

// The window library sets the C locale from the user's settings; in many
// of them the decimal separator is a comma.
class CommaLocale {
public:
    CommaLocale() : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                                 "ru_RU.UTF-8", "nl_NL.UTF-8", "de_DE", "fr_FR"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr &&
                std::string(std::localeconv()->decimal_point) == ",") {
                active_ = true;
                return;
            }
        }
        std::setlocale(LC_NUMERIC, previous_.c_str());
    }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    bool Active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};

TEST(GearRate, DecimalPointHoldsInACommaLocale) {
    const CommaLocale locale;
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

TEST(RecentFileList, NewestFirstFiveAtMostNoRepeats) {
    RecentFileList list(5);
    for (const char* f : {"a.dat", "b.dat", "c.dat", "d.dat", "e.dat", "f.dat"}) {
        list.Add(f);
    }
    EXPECT_EQ(list.Entries(),
              (std::vector<std::string>{"f.dat", "e.dat", "d.dat", "c.dat", "b.dat"}));
    list.Add("c.dat");
    EXPECT_EQ(list.Entries(),
              (std::vector<std::string>{"c.dat", "f.dat", "e.dat", "d.dat", "b.dat"}));
    list.Remove("f.dat");
    EXPECT_EQ(list.Entries().size(), 4u);
    EXPECT_EQ(list.Entries()[1], "e.dat");
}

TEST(RecentFileList, StoredEntriesAreCleanedOnLoad) {
    RecentFileList list(5);
    list.Assign({"a.dat", "", "b.dat", "a.dat", "c.dat", "d.dat", "e.dat", "f.dat"});
    EXPECT_EQ(list.Entries(),
              (std::vector<std::string>{"a.dat", "b.dat", "c.dat", "d.dat", "e.dat"}));
}

}  // namespace
}  // namespace tavix
