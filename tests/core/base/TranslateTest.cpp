#include "base/Translate.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tavix {
namespace {

class TranslateTest : public ::testing::Test {
protected:
    void TearDown() override { SetTranslator(nullptr); }

    // A translator of a fixed table, as a window installs one.
    void Install(std::map<std::string, std::string> table) {
        SetTranslator([table = std::move(table)](const char* source) {
            const auto found = table.find(source);
            return found == table.end() ? std::string(source) : found->second;
        });
    }
};

TEST_F(TranslateTest, WithoutATranslatorEveryTextStaysEnglish) {
    EXPECT_EQ(Translate("Update"), "Update");
    EXPECT_EQ(FormatShown("ESC %d (%s)", 3, "x"), "ESC 3 (x)");
    EXPECT_EQ(Translate(nullptr), "");
}

TEST_F(TranslateTest, ShownTextsUseTheTranslationAndFormatItsArguments) {
    Install({{"Update", "\xB8\xFC\xD0\xC2"}, {"ESC %d (%s)", "\xB5\xE7\xB5\xF7 %d (%s)"}});
    EXPECT_EQ(Translate("Update"), "\xB8\xFC\xD0\xC2");
    EXPECT_EQ(FormatShown("ESC %d (%s)", 3, "x"), "\xB5\xE7\xB5\xF7 3 (x)");
    // Files are written with FormatText, which never translates.
    EXPECT_EQ(FormatText("ESC %d (%s)", 3, "x"), "ESC 3 (x)");
    SetTranslator(nullptr);
    EXPECT_EQ(Translate("Update"), "Update");
}

TEST_F(TranslateTest, ATranslationThatWouldReadTheArgumentsWronglyIsNotUsed) {
    Install({{"block %d of %d, %d%%", "%s"}, {"%d new", ""}, {"left %lld s", "%d s"}});
    EXPECT_EQ(FormatShown("block %d of %d, %d%%", 1, 2, 50), "block 1 of 2, 50%");
    EXPECT_EQ(FormatShown("left %lld s", 5LL), "left 5 s");
    EXPECT_EQ(Translate("%d new"), "%d new");
}

TEST_F(TranslateTest, KeptPartsAreWrittenInEnglishAndShownTranslated) {
    const MessageParts message("No %s reading for %s s, 100%%", {"RPM", "1.5"});
    EXPECT_EQ(message.Text(), "No RPM reading for 1.5 s, 100%");
    EXPECT_EQ(message.Shown(), message.Text());
    Install({{"No %s reading for %s s, 100%%", "%s s: %s (100%%)"}, {"RPM", "rpm!"}});
    // Words among the arguments are translated, numbers have no translation.
    EXPECT_EQ(message.Shown(), "rpm! s: 1.5 (100%)");
    EXPECT_EQ(message.Text(), "No RPM reading for 1.5 s, 100%");
    // A translation that would take the arguments otherwise is not used.
    Install({{"No %s reading for %s s, 100%%", "%s"}});
    EXPECT_EQ(message.Shown(), "No RPM reading for 1.5 s, 100%");
}

TEST(PrintfConversionsTest, ComparesKindsAndOrderButNotFlagsOrWidths) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"%5.1f W", "%.1f W", true},
        {"%d%% of %s", "%s: %d%%", false},
        {"100%%", "no conversion", true},
        {"%6.*f", "%6.*f s", true},
        {"%6.*f", "%6.2f", false},
        {"%lu bytes", "%u bytes", false},
        {"0x%04X", "0x%X", true},
        {"%s %s", "%s", false},
        // Qt's %1 and a lone '%' are text, not conversions.
        {"%1 flights", "%1 \xB4\xCE", true},
        {"% of throttle", "%", true},
        {"12% (Wide)", "12%", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SamePrintfConversions(c.a, c.b), c.same) << c.a << " / " << c.b;
    }
}

}  // namespace
}  // namespace tavix
