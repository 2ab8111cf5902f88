// The chart image export: each format written and read back, the extension
// rules of the save dialog, the name counter and "Image save error!".
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "platform/ImageWriter.h"
#include "plot/PlotMessages.h"
#include "ui/plot/ChartImageExport.h"

namespace tavix {
namespace {

// Three colours: a palette that is no power of two.
QImage ThreeColourChart() {
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(QColor(236, 233, 216));
    QPainter painter(&image);
    painter.fillRect(10, 10, 40, 30, QColor(255, 0, 0));
    painter.fillRect(60, 40, 40, 30, QColor(0, 0, 255));
    return image;
}

struct ChartImageExportTest : ::testing::Test {
    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray FormatOf(const QString& path) const { return QImageReader(path).format(); }

    QTemporaryDir dir;
    test::FakePrompt prompt;
    test::FixedClock clock;
    ChartImageExport exporter{prompt, clock};
    QImage chart = ThreeColourChart();
};

TEST_F(ChartImageExportTest, EachFormatIsWrittenAndReadsBack) {
    struct Case {
        const char* name;
        const char* format;
        bool lossless;
    };
    const Case cases[] = {
        {"chart.png", "png", true},
        {"chart.bmp", "bmp", true},
        {"chart.gif", "gif", true},
        {"chart.jpg", "jpeg", false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(exporter.Save(chart, {File(c.name), 1})) << c.name;
        EXPECT_EQ(FormatOf(File(c.name)), QByteArray(c.format)) << c.name;
        const QImage back(File(c.name));
        ASSERT_EQ(back.size(), chart.size()) << c.name;
        for (const QPoint at : {QPoint(0, 0), QPoint(20, 20), QPoint(80, 60)}) {
            const QColor want = chart.pixelColor(at);
            const QColor got = back.pixelColor(at);
            if (c.lossless) {
                EXPECT_EQ(got, want) << c.name << " " << at.x() << "," << at.y();
            } else {
                EXPECT_NEAR(got.red(), want.red(), 12) << c.name;
                EXPECT_NEAR(got.blue(), want.blue(), 12) << c.name;
            }
        }
    }
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ChartImageExportTest, AGifOfManyColoursIsReducedToItsPalette) {
    QImage gradient(300, 40, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x) {
        for (int y = 0; y < 40; ++y) {
            gradient.setPixelColor(x, y, QColor(x % 256, (x * 7) % 256, y * 6));
        }
    }
    const QByteArray bytes = EncodeGif(gradient);
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(bytes.startsWith("GIF8"));
    QImage back;
    ASSERT_TRUE(back.loadFromData(bytes, "GIF"));
    EXPECT_EQ(back.size(), gradient.size());
}

TEST_F(ChartImageExportTest, TheFilterAddsItsExtensionAndATypedOneDecides) {
    ASSERT_TRUE(exporter.Save(chart, {File("typed"), 3}));
    EXPECT_EQ(FormatOf(File("typed.png")), QByteArray("png"));
    ASSERT_TRUE(exporter.Save(chart, {File("typed.bmp"), 1}));
    EXPECT_EQ(FormatOf(File("typed.bmp")), QByteArray("bmp"));
}

TEST_F(ChartImageExportTest, AnUnknownExtensionOrAFailedWriteIsAnImageSaveError) {
    EXPECT_FALSE(exporter.Save(chart, {File("chart.txt"), 1}));
    EXPECT_FALSE(QFile::exists(File("chart.txt")));
    EXPECT_FALSE(exporter.Save(chart, {File("missing/chart.png"), 3}));
    ASSERT_EQ(prompt.shown.size(), 2u);
    for (const auto& shown : prompt.shown) {
        EXPECT_EQ(shown.text, kMsgImageSaveError);
        EXPECT_EQ(shown.icon, PromptIcon::Stop);
    }
}

TEST_F(ChartImageExportTest, TheProposedNameCountsOnlyConfirmedSaves) {
    QStringList proposed;
    bool confirm = false;
    exporter.SetChooser(
        [&](QWidget*, const QString& name) -> std::optional<ChartImageExport::Choice> {
            proposed << name;
            if (!confirm) {
                return std::nullopt;
            }
            return ChartImageExport::Choice{File("snap"), 4};
        });
    QWidget page;
    page.resize(200, 100);
    EXPECT_FALSE(exporter.Run(&page, nullptr));  // cancelled
    confirm = true;
    EXPECT_TRUE(exporter.Run(&page, nullptr));
    EXPECT_TRUE(exporter.Run(&page, nullptr));
    EXPECT_EQ(proposed, (QStringList{QStringLiteral("Untitled_2014_3_7_1"),
                                     QStringLiteral("Untitled_2014_3_7_1"),
                                     QStringLiteral("Untitled_2014_3_7_2")}));
    EXPECT_EQ(FormatOf(File("snap.gif")), QByteArray("gif"));
    EXPECT_EQ(QImage(File("snap.gif")).size(), QSize(200, 100));
}

}  // namespace
}  // namespace tavix
