// The measuring cursors, the power curve and the flight's quantities on the
// record page of the running program: a record file opened, A and B placed
// and dragged with the mouse while the two-click zoom keeps working, the
// panels against an index built here from the loaded record, and the power
// curve's colour reaching config.ini only when the user picks another one.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QStandardPaths>
#include <QTest>
#include <memory>

#include "UiTestSupport.h"
#include "analysis/AnalysisMessages.h"
#include "analysis/FlightQuantities.h"
#include "analysis/SpanIndex.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "core/records/RecordTestData.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "plot/CurveModel.h"
#include "plot/SpanReadout.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"
#include "ui/analysis/FlightSummaryPanel.h"
#include "ui/app/AppRoot.h"
#include "ui/plot/CColorPicker.h"
#include "ui/plot/CCurveView.h"
#include "ui/plot/RecordPage.h"
#include "ui/plot/SpanPanel.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixApp.h"
#include "ui/shell/CTavixView.h"

namespace tavix {
namespace {

constexpr int kSamples = 600;  // two minutes at 5 per second

class CursorsTest : public ::testing::Test {
protected:
    CursorsTest() {
        QStandardPaths::setTestModeEnabled(true);
        QFile::copy(QStringLiteral(TAVIX_SOURCE_DIR "/res/config.ini"),
                    dir.File(QStringLiteral("config.ini")));
        QFile(dir.File(QStringLiteral("config.ini")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        app.SetWiring([this](CTavixApp& a, CMainFrame& frame) {
            binding = std::make_unique<AppRoot>(frame, a.Config(), a.Ini(), a.GetPrompt(),
                                                a.GetClock(), a.PortOption());
        });

        // A flight with a throttle burst in its middle third: the current
        // jumps and the voltage sags while it lasts.
        auto record = test::MakeRecord(kUploadChannels, kSamples);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            record->channels[ch].visible = 1;
        }
        for (int j = 0; j < kSamples; ++j) {
            const bool burst = j >= 200 && j < 400;
            record->raw[kVoltage][j] = burst ? 2000 + j % 7 : 2400;
            record->raw[kCurrent][j] = burst ? 3000 + j : 200;
            record->raw[kThrottle][j] = burst ? 900 : 100;
            record->raw[kTemperature][j] = 300 + j / 10;
            record->raw[kMotorRpm][j] = burst ? 40 : 400;
        }
        dir.Write(QStringLiteral("flight.dat"),
                  QByteArray::fromStdString(EncodeRecordFile(*record)));
    }
    ~CursorsTest() override {
        if (app.MainFrame() != nullptr) {
            app.MainFrame()->ExitWithoutQuestion();
        }
    }

    // Opens the flight on the record page, shown at a usual size.
    RecordPage* Open() {
        CommandLine line;
        line.port = "demo";
        EXPECT_TRUE(app.InitInstance(line));
        CMainFrame* frame = app.MainFrame();
        frame->resize(1200, 900);
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
        EXPECT_TRUE(frame->OpenRecordFile(dir.File(QStringLiteral("flight.dat"))));
        RecordPage* page = frame->View()->RecordView();
        EXPECT_TRUE(page->isVisible());
        return page;
    }

    static QPoint At(CCurveView* view, int x) { return QPoint(x, view->height() / 2); }
    static int PixelOf(RecordPage* page, Cursor which) {
        const MeasureCursors& cursors = page->Model().Cursors();
        return *cursors.PixelOf(*cursors.SampleOf(which));
    }
    QByteArray ConfigBytes() const { return dir.Read(QStringLiteral("config.ini")); }

    // Picks `colorref` for the power curve, as the picker's palette does.
    static void PickPowerColour(RecordPage* page, std::uint32_t colorref) {
        page->PowerColourPicker()->SetColour(colorref);
    }

    test::ScratchDir dir;
    test::FakePrompt prompt;
    test::FixedClock clock;
    CTavixApp app{prompt, clock};
    std::unique_ptr<AppRoot> binding;
};

TEST_F(CursorsTest, ShiftAndCtrlClicksMeasureTheSpanWhileTheZoomClicksStillWork) {
    RecordPage* page = Open();
    CCurveView* view = page->CurveView();
    SpanPanel* span = page->Span();
    const FlightRecord& record = app.Document().Record();
    const SpanIndex index(app.Document().Current());  // what the page must show, built apart

    // The flight's quantities fill their panel as soon as the record is shown;
    // Max.Power only once, with the statistics above the panel.
    for (const QuantityText& text : QuantityTexts(ComputeQuantities(index))) {
        if (text.caption == kQuantityMaxPower) {
            EXPECT_EQ(page->Summary()->Value(QString::fromLatin1(kQuantityMaxPower)), QString());
            continue;
        }
        EXPECT_EQ(page->Summary()->Value(QString::fromLatin1(text.caption.c_str())),
                  QString::fromLatin1(text.value.c_str()).trimmed())
            << text.caption;
    }
    EXPECT_NE(page->Summary()->Value(QString::fromLatin1(kCaptionCapacity)),
              QString::fromLatin1(kNoValue));
    EXPECT_TRUE(span->HintShown());

    const int width = page->Model().View().Geometry().plotWidth;
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, At(view, width * 7 / 10));
    QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, At(view, width / 3));
    const MeasureCursors& cursors = page->Model().Cursors();
    ASSERT_TRUE(cursors.BothPlaced());
    EXPECT_FALSE(page->Model().View().Selecting());  // no zoom marker was left
    const int a = *cursors.SampleOf(Cursor::A);
    const int b = *cursors.SampleOf(Cursor::B);
    EXPECT_NEAR(a, (kSamples - 1) * 7 / 10, 2);
    EXPECT_NEAR(b, (kSamples - 1) / 3, 2);

    // A after B: the panel shows the span from B to A, changes from A to B.
    const SpanReadout want = WordSpan(index.Span(a, b), record, false);
    EXPECT_FALSE(span->HintShown());
    EXPECT_EQ(span->LabelA().toStdString(), cursors.Label(Cursor::A));
    EXPECT_EQ(span->Duration().toStdString(), want.duration);
    EXPECT_EQ(span->Capacity().toStdString(), want.capacity);
    EXPECT_EQ(span->Energy().toStdString(), want.energy);
    ASSERT_EQ(span->Headings().size(), 5);
    EXPECT_EQ(span->Headings()[0], QStringLiteral("Channel 0 (V)"));
    for (int c = 0; c < 5; ++c) {
        const SpanRow& row = want.rows[static_cast<std::size_t>(c)];
        EXPECT_EQ(span->Value(c, SpanPanel::kRowMin).toStdString(), row.min) << c;
        EXPECT_EQ(span->Value(c, SpanPanel::kRowMax).toStdString(), row.max) << c;
        EXPECT_EQ(span->Value(c, SpanPanel::kRowMean).toStdString(), row.mean) << c;
        EXPECT_EQ(span->Value(c, SpanPanel::kRowChange).toStdString(), row.change) << c;
    }

    // Press on B's line and move: B follows, nothing is zoomed, and the
    // curves are not drawn again for it (nor for the panel's new texts).
    const int bx = PixelOf(page, Cursor::B);
    view->repaint();
    const int draws = view->CurveDraws();
    QTest::mousePress(view, Qt::LeftButton, {}, At(view, bx));
    for (int dx = 10; dx <= 40; dx += 10) {
        QTest::mouseMove(view, At(view, bx + dx));
        view->repaint();
    }
    QTest::mouseRelease(view, Qt::LeftButton, {}, At(view, bx + 40));
    QCoreApplication::processEvents();
    view->repaint();
    EXPECT_EQ(view->CurveDraws(), draws);
    EXPECT_NEAR(PixelOf(page, Cursor::B), bx + 40, 2);
    EXPECT_FALSE(page->Model().View().Selecting());
    const int movedB = *cursors.SampleOf(Cursor::B);
    EXPECT_EQ(span->Duration().toStdString(),
              WordSpan(index.Span(a, movedB), record, false).duration);

    // A click on a cursor's line that does not move is the zoom's click; the
    // second one zooms, the cursors keep their samples.
    const int ax = PixelOf(page, Cursor::A);
    QTest::mouseClick(view, Qt::LeftButton, {}, At(view, ax));
    EXPECT_TRUE(page->Model().View().Selecting());
    QTest::mouseClick(view, Qt::LeftButton, {}, At(view, ax - 100));
    EXPECT_LT(page->Model().View().LastVisible() - page->Model().View().FirstVisible(), kSamples);
    EXPECT_EQ(cursors.SampleOf(Cursor::A), a);
    QTest::mouseClick(view, Qt::RightButton, {}, At(view, 10));
    EXPECT_EQ(page->Model().View().FirstVisible(), 0);

    // The arrow keys step the cursor last touched: A, whose line was clicked.
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(cursors.SampleOf(Cursor::A), a + 1);
    QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(cursors.SampleOf(Cursor::A), a - 9);
    EXPECT_EQ(span->LabelA().toStdString(), cursors.Label(Cursor::A));

    // Esc removes both.
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(cursors.AnyPlaced());
    EXPECT_TRUE(span->HintShown());
    EXPECT_TRUE(span->LabelA().isEmpty());
}

TEST_F(CursorsTest, ThePowerCurveIsAColumnAndAValueAndItsColourIsStoredOnlyWhenChanged) {
    RecordPage* page = Open();
    const QByteArray original = ConfigBytes();
    ASSERT_FALSE(original.contains("powercolor"));
    EXPECT_EQ(page->Model().PowerColour(), kDefaultPowerColour);

    ASSERT_TRUE(page->PowerCheck()->isEnabled());
    page->CurveView()->repaint();
    const int draws = page->CurveView()->CurveDraws();
    QTest::mouseClick(page->PowerCheck(), Qt::LeftButton);
    EXPECT_TRUE(page->Model().PowerShown());
    page->CurveView()->repaint();
    EXPECT_EQ(page->CurveView()->CurveDraws(), draws + 1);  // the power curve drawn in
    page->Model().Cursors().PlaceAtSample(Cursor::A, 150);
    page->Model().Cursors().PlaceAtSample(Cursor::B, 350);
    QTest::keyClick(page->CurveView(), Qt::Key_Escape);  // and place them again, by the mouse
    const int width = page->Model().View().Geometry().plotWidth;
    QTest::mouseClick(page->CurveView(), Qt::LeftButton, Qt::ShiftModifier,
                      At(page->CurveView(), width / 4));
    QTest::mouseClick(page->CurveView(), Qt::LeftButton, Qt::ControlModifier,
                      At(page->CurveView(), width * 3 / 4));
    EXPECT_EQ(page->Span()->Headings().back(), QStringLiteral("Power (W)"));
    page->Model().OnMouseMove(width / 2);
    EXPECT_TRUE(page->CurveView()->TooltipMarkup().contains(QStringLiteral("Pwr: ")));
    EXPECT_EQ(ConfigBytes(), original);  // showing the curve writes nothing

    PickPowerColour(page, 0x030201);
    EXPECT_EQ(page->Model().PowerColour(), 0x030201u);
    EXPECT_EQ(app.Config().powerColour, 0x030201u);
    // A new entry of [display]; the eight colours keep their values.
    dir.Write(QStringLiteral("original.ini"), original);
    CIniFile before;
    CIniFile after;
    before.SetFilePath(dir.File(QStringLiteral("original.ini")).toStdString());
    after.SetFilePath(dir.File(QStringLiteral("config.ini")).toStdString());
    ASSERT_TRUE(before.Load());
    ASSERT_TRUE(after.Load());
    EXPECT_EQ(after.GetText(kIniDisplaySection, kIniPowerColourEntry), "197121");
    for (int ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_EQ(after.GetText(kIniDisplaySection, ColourEntry(ch)),
                  before.GetText(kIniDisplaySection, ColourEntry(ch)));
    }

    // The same colour again is no change: the file is not written.
    dir.Write(QStringLiteral("config.ini"), "marker");
    PickPowerColour(page, 0x030201);
    EXPECT_EQ(ConfigBytes(), QByteArray("marker"));

    // A file that cannot be written is reported; the colour holds.
    app.Ini().SetFilePath(dir.File(QStringLiteral("gone/config.ini")).toStdString());
    PickPowerColour(page, 0x0000C8);
    EXPECT_EQ(page->Model().PowerColour(), 0x0000C8u);
    EXPECT_NE(prompt.Last().find("gone/config.ini could not be written"), std::string::npos)
        << prompt.Last();

    QTest::mouseClick(page->PowerCheck(), Qt::LeftButton);
    EXPECT_FALSE(page->Model().PowerShown());
    EXPECT_NE(page->Span()->Headings().back(), QStringLiteral("Power (W)"));
}

TEST_F(CursorsTest, TheStoredPowerColourIsTheCurvesFromTheStart) {
    QByteArray config = ConfigBytes();
    config.replace("color7=4210816\n", "color7=4210816\npowercolor=65280\n");
    ASSERT_TRUE(config.contains("powercolor"));
    dir.Write(QStringLiteral("config.ini"), config);
    RecordPage* page = Open();
    EXPECT_EQ(page->Model().PowerColour(), 0x00FF00u);
    EXPECT_EQ(page->PowerColourPicker()->Colour(), 0x00FF00u);
    EXPECT_EQ(ConfigBytes(), config);  // shown, not written again
}

}  // namespace
}  // namespace tavix
