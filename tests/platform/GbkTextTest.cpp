// Text at the edge: GBK bytes of records and the wire to and from Qt strings.
#include "platform/GbkText.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

TEST(GbkText, DegreeSignAndChineseRoundTrip) {
    ASSERT_TRUE(GbkAvailable());
    bool ok = false;
    const QString celsius = FromGbk("Temperature(\xA1\xE6)", &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(celsius, QStringLiteral("Temperature(\u2103)"));
    EXPECT_EQ(ToGbk(celsius, &ok), "Temperature(\xA1\xE6)");
    EXPECT_TRUE(ok);
    const QString chinese = QString::fromUtf8("\xE6\xB8\xA9\xE5\xBA\xA6");  // two CJK characters
    EXPECT_EQ(FromGbk(ToGbk(chinese)), chinese);
}

TEST(GbkText, BadInputIsFlaggedNotLost) {
    bool ok = true;
    const QString text = FromGbk("ab\x81", &ok);  // a lead byte with nothing after it
    EXPECT_FALSE(ok);
    EXPECT_TRUE(text.startsWith(QStringLiteral("ab")));
    ok = true;
    ToGbk(QString::fromUtf8("\xF0\x9F\x98\x80"), &ok);  // no emoji in GBK
    EXPECT_FALSE(ok);
}

TEST(GbkText, FallbackTableCoversTheProgramsOwnSymbols) {
    bool ok = false;
    EXPECT_EQ(gbk_detail::FromGbkFallback("T\xA1\xE6", &ok), QStringLiteral("T\u2103"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(gbk_detail::ToGbkFallback(QStringLiteral("T\u2103"), &ok), "T\xA1\xE6");
    EXPECT_TRUE(ok);
    const QString unknown = gbk_detail::FromGbkFallback("\xD6\xD0x", &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(unknown, QString(QChar(QChar::ReplacementCharacter)) + QLatin1Char('x'));
    EXPECT_EQ(gbk_detail::ToGbkFallback(QString::fromUtf8("\xE4\xB8\xAD"), &ok), "?");
    EXPECT_FALSE(ok);
}

}  // namespace
}  // namespace tavix
