// The Chinese window: the translation loads, the core's texts and the
// window's own come out in Chinese, and what goes into files stays English.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QXmlStreamReader>
#include <array>
#include <memory>

#include "analysis/FlightEvents.h"
#include "analysis/MotorHealth.h"
#include "base/Translate.h"
#include "esc/EscBatch.h"
#include "esc/EscExplanations.h"
#include "esc/EscMessages.h"
#include "esc/EscParamText.h"
#include "esc/EscPresetStore.h"
#include "platform/GbkText.h"
#include "platform/UiLanguage.h"
#include "plot/CurveModel.h"
#include "plot/CurveReadout.h"
#include "plot/XYPlot.h"
#include "shell/ShellMessages.h"
#include "ui/plot/CurvePainter.h"

namespace tavix {
namespace {

class ChineseWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!GbkAvailable()) {
            GTEST_SKIP() << "no GBK codec: the window stays English";
        }
        ASSERT_TRUE(InstallChinese());
    }
    void TearDown() override { RemoveTranslations(); }
};

TEST_F(ChineseWindowTest, CoreTextsOfEveryContextComeOutInChinese) {
    EXPECT_EQ(ShownText(kBtnEscUpdate), QString::fromUtf8("更新"));
    EXPECT_EQ(ShownText(kBtnOpenDevice), QString::fromUtf8("打开设备(&O)..."));
    // lupdate files these under the nested namespace and under "std".
    EXPECT_EQ(ShownText(explain::kBrakeAmount), QString::fromUtf8("满刹车时的最大刹车力度。"));
    EXPECT_EQ(ShownText(kMsgPresetNameEmpty), QString::fromUtf8("预设需要一个名称。"));
    // Formatted in core, decoded as GBK in the window.
    EXPECT_EQ(ShownText(FormatShown(kBatchDone, 2, 3)),
              QString::fromUtf8("完成：2 / 3 个电调已写入并回读。"));
    // The device's own words and the product names stay as they are.
    EXPECT_EQ(ShownText(std::string("Tarrow")), QStringLiteral("Tarrow"));
    EXPECT_EQ(ShownText(std::string("95\xA1\xE6")), QString::fromUtf8("95℃"));
}

// Texts put together at run time, which the translation file can hold only
// as their formats: the pilot reads them in Chinese, files keep English.
TEST_F(ChineseWindowTest, TextsBuiltAtRunTimeAreShownInChinese) {
    const std::vector<float> volts(10, 9.0f);
    EventInput in;
    in.samples = 10;
    in.rate = 10;
    in.cells = 3;
    in.voltage = volts;
    const std::vector<FlightEvent> events = FindEvents(in, EventLimits{});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].message.Text(), "Cell voltage down to 3.00 V (limit 3.30 V)");
    EXPECT_EQ(ShownText(events[0].message),
              QString::fromUtf8("单节电压降至 3.00 V（下限 3.30 V）"));

    const std::vector<MotorFigures> earlier = {{1000.0, 0.02, 1.0, 0.8, 0.9}};
    const std::vector<MessageParts> alerts = MotorAlerts({900.0, 0.02, 1.0, 0.8, 0.9}, earlier);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].Text(), "Kv down 10 %: magnets heat-damaged?");
    EXPECT_EQ(ShownText(alerts[0]), QString::fromUtf8("Kv 下降 10 %：磁钢可能过热受损？"));

    // The degree sign, a GBK argument of a translated format, comes through.
    EXPECT_EQ(ShownText(CurveReadout().StatusText(false)),
              QString::fromUtf8("当前值：电压 V，电流 A，油门 %，温度 ℃，转速 "));
    EXPECT_EQ(ShownText(XYQuantityName(kTemperature)), QString::fromUtf8("温度 (℃)"));
    EXPECT_EQ(ShownText(PeldanTable().lists[0].entries[12]), QString::fromUtf8("12 节"));

    // A record names its own channels, padded in their fixed field: the usual
    // names read in Chinese on the plot, a name of the pilot's stays his.
    auto data = std::make_unique<FlightData>();
    SetFixedText(data->record.channels[0].name, "Voltage   ");
    SetFixedText(data->record.channels[1].name, "Pack A");
    const std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    const CurveModel model(*data, windows);
    EXPECT_EQ(CurvePainter::CurveName(model, 0), QString::fromUtf8("电压"));
    EXPECT_EQ(CurvePainter::CurveName(model, 1), QStringLiteral("Pack A"));
}

TEST_F(ChineseWindowTest, TheWindowsOwnWordsAndQtsAreTranslated) {
    EXPECT_EQ(QCoreApplication::translate("tavix::CMainFrame", "&File"),
              QString::fromUtf8("文件(&F)"));
    // Qt's own buttons, when the system carries Qt's translation.
    const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
    EXPECT_TRUE(cancel == QStringLiteral("Cancel") || cancel == QString::fromUtf8("取消"));
}

TEST_F(ChineseWindowTest, FilesStayEnglishByteForByte) {
    const EscSeriesTable& table = TarrowTable();
    EscParamState state;
    for (const EscList& list : table.lists) {
        state.selection.push_back(list.defaultIndex);
    }
    const std::string chinese = ParamFileText(table, state, true);
    RemoveTranslations();
    EXPECT_EQ(chinese, ParamFileText(table, state, true));
    EXPECT_NE(chinese.find("Brake Types: No Brake"), std::string::npos);
}

// Every translation of a core text keeps the printf conversions of its
// English source, so that formatting it reads the arguments as meant (a
// translation that does not is refused, and the window falls back to English).
TEST(TranslationFileTest, CoreTranslationsKeepTheirPrintfConversions) {
    QFile file(QStringLiteral(TAVIX_SOURCE_DIR "/res/translations/tavix_zh_CN.ts"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    int checked = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto text = [&] {
            return xml.readElementText(QXmlStreamReader::IncludeChildElements);
        };
        if (xml.name() == QLatin1String("name")) {
            context = text();
        } else if (xml.name() == QLatin1String("source")) {
            source = text();
        } else if (xml.name() == QLatin1String("translation") &&
                   (context == QLatin1String("tavix") || context == QLatin1String("std"))) {
            const QString translation = text();
            EXPECT_TRUE(SamePrintfConversions(source.toStdString(), translation.toStdString()))
                << source.toStdString() << " -> " << translation.toStdString();
            ++checked;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(checked, 300);
}

TEST(UiLanguageTest, EnglishUnlessChineseIsChosenOrTheSystemSpeaksIt) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_FALSE(ShowsChinese(UiLanguage::English, chinese));
    EXPECT_TRUE(ShowsChinese(UiLanguage::Chinese, english));
    EXPECT_TRUE(ShowsChinese(UiLanguage::System, chinese));
    EXPECT_FALSE(ShowsChinese(UiLanguage::System, english));
}

TEST(UiLanguageTest, TheChoiceIsKeptInTheUserSettings) {
    EXPECT_EQ(StoredLanguage(), UiLanguage::English);
    for (UiLanguage language : {UiLanguage::Chinese, UiLanguage::System, UiLanguage::English}) {
        StoreLanguage(language);
        EXPECT_EQ(StoredLanguage(), language);
    }
}

}  // namespace
}  // namespace tavix
