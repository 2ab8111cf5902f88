// The record page as the user meets it: the curves of a loaded record, the
// statistics, two clicks to zoom and a right click back, the read-out in the
// status text and the tooltip, and the entry points of the channel controls.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <memory>

#include "platform/ColorRef.h"
#include "plot/CurveModel.h"
#include "plot/EventMarkers.h"
#include "plot/PlotStack.h"
#include "ui/plot/CCurveView.h"
#include "ui/plot/CurvePainter.h"
#include "ui/plot/FlightMapDlg.h"
#include "ui/plot/FlightOverlayPainter.h"
#include "ui/plot/RecordPage.h"
#include "ui/plot/XYPlotView.h"

namespace tavix {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;  // COLORREF 0x00BBGGRR
constexpr std::uint32_t kBlue = 0xFF0000;

// A 5-channel record of 1000 samples: the voltage rises across the plot, the
// current holds 10 A, the other channels sit in the middle of their ranges.
struct RecordPageTest : ::testing::Test {
    RecordPageTest() {
        FlightRecord& r = record->record;
        r.header.samples = 1000;
        r.header.channels = kUploadChannels;
        r.header.rate = 20;
        r.header.poles = 10;
        r.header.gearRate = 1.0f;
        for (int i = 0; i < kChannelCount; ++i) {
            r.calibration[i] = {0.01f, 0.0f};
            r.ranges[i] = {0.0f, 20.0f};
            r.channels[i].colour = 0x808080;
            r.channels[i].line = 1;
            r.channels[i].visible = 1;
            for (int j = 0; j < 1000; ++j) {
                r.raw[i][j] = i == kVoltage ? 500 + j : 1000;
            }
        }
        r.channels[kVoltage].colour = kRed;
        r.channels[kVoltage].line = 2;
        SetFixedText(r.channels[kVoltage].name, "Voltage    ");
        r.dataLoaded = true;
        page.resize(900, 600);
        page.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&page));
        page.ShowRecord();
    }

    CCurveView* View() { return page.CurveView(); }
    QPoint At(int x) { return QPoint(x, View()->height() / 2); }
    int CountPixels(const QImage& image, QColor colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += image.pixelColor(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

    std::unique_ptr<FlightData> record = std::make_unique<FlightData>();
    std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    RecordPage page{*record, windows};
};

TEST_F(RecordPageTest, ALoadedRecordFillsTheStatisticsAndTheCurves) {
    EXPECT_EQ(page.StatisticLabel(RecordPage::kStatMaxCurrent)->text(), QStringLiteral("10.0"));
    EXPECT_EQ(page.StatisticLabel(RecordPage::kStatMinVoltage)->text(), QStringLiteral("5.0"));
    EXPECT_EQ(page.StatisticLabel(RecordPage::kStatMaxPower)->text(), QStringLiteral("149.9"));
    EXPECT_EQ(page.StatisticLabel(RecordPage::kStatSamplingRate)->text(), QStringLiteral("20"));
    // The view is shrunk to its grid, and the curve is drawn in its colour.
    const PlotGeometry& g = page.Model().View().Geometry();
    EXPECT_EQ(View()->size(), QSize(g.viewWidth, g.viewHeight));
    const QImage curves = View()->grab().toImage();
    EXPECT_GT(CountPixels(curves, QColor(255, 0, 0)), g.plotWidth / 2);
    // Below the strip of event markers along the top edge.
    EXPECT_EQ(curves.pixelColor(1, kMarkerHeight + 1), CurvePainter::kBackground);
    ASSERT_NE(page.findChild<QWidget*>(QStringLiteral("channelControls")), nullptr);
}

TEST_F(RecordPageTest, TwoClicksZoomAndARightClickShowsAllAgain) {
    const int w = page.Model().View().Geometry().plotWidth;
    QTest::mouseClick(View(), Qt::LeftButton, {}, At(w / 4));
    EXPECT_TRUE(page.Model().View().Selecting());
    // The red marker stands at the first click.
    const QImage marked = View()->grab().toImage();
    EXPECT_EQ(marked.pixelColor(w / 4, kMarkerHeight + 2), QColor(255, 0, 0));
    QTest::mouseClick(View(), Qt::LeftButton, {}, At(w / 2));
    EXPECT_FALSE(page.Model().View().Selecting());
    // A quarter to a half of the record, to a sample: the plot's width
    // follows the label font.
    EXPECT_NEAR(page.Model().View().FirstVisible(), 250, 1);
    EXPECT_NEAR(page.Model().View().LastVisible(), 501, 1);

    QTest::mouseClick(View(), Qt::RightButton, {}, At(10));
    EXPECT_EQ(page.Model().View().FirstVisible(), 0);
    EXPECT_EQ(page.Model().View().LastVisible(), 1000);
}

TEST_F(RecordPageTest, TheWheelADragAndTheKeysMoveThroughTheRecordWithoutMarking) {
    const int w = page.Model().View().Geometry().plotWidth;
    auto send = [this](QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers keys = {}) {
        QMouseEvent event(type, At(x), View()->mapToGlobal(At(x)), button, buttons, keys);
        QCoreApplication::sendEvent(View(), &event);
    };
    auto drag = [&](Qt::MouseButton button, Qt::KeyboardModifiers keys, int from, int to) {
        send(QEvent::MouseButtonPress, from, button, button, keys);
        send(QEvent::MouseMove, to, Qt::NoButton, button, keys);
        send(QEvent::MouseButtonRelease, to, button, Qt::NoButton, keys);
    };
    QSignalSpy window(View(), &CCurveView::windowChanged);
    QWheelEvent up(At(w / 2), View()->mapToGlobal(At(w / 2)), {}, {0, 4 * 120}, Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(View(), &up);
    const int shown = page.Model().View().LastVisible() - page.Model().View().FirstVisible();
    EXPECT_EQ(shown, 410);  // 1000 / 1.25^4
    EXPECT_EQ(window.count(), 1);

    const int first = page.Model().View().FirstVisible();
    drag(Qt::MiddleButton, {}, w / 2, w / 4);
    EXPECT_GT(page.Model().View().FirstVisible(), first);
    drag(Qt::LeftButton, Qt::AltModifier, w / 4, w / 2);
    EXPECT_EQ(page.Model().View().FirstVisible(), first);
    EXPECT_EQ(page.Model().View().LastVisible() - first, shown);
    // Neither drag marked a first click nor placed a cursor.
    EXPECT_FALSE(page.Model().View().Selecting());
    EXPECT_FALSE(page.Model().Cursors().AnyPlaced());

    QTest::keyClick(View(), Qt::Key_Minus);
    EXPECT_EQ(page.Model().View().LastVisible() - page.Model().View().FirstVisible(),
              513);  // 410 x 1.25
    QTest::keyClick(View(), Qt::Key_Plus);
    EXPECT_EQ(page.Model().View().LastVisible() - page.Model().View().FirstVisible(), 410);
    QTest::keyClick(View(), Qt::Key_Home);
    EXPECT_EQ(page.Model().View().FirstVisible(), 0);
    EXPECT_EQ(page.Model().View().LastVisible(), 1000);
    // The two-click zoom still works after all that.
    QTest::mouseClick(View(), Qt::LeftButton, {}, At(w / 4));
    QTest::mouseClick(View(), Qt::LeftButton, {}, At(w / 2));
    EXPECT_NEAR(page.Model().View().FirstVisible(), 250, 1);
}

TEST_F(RecordPageTest, MovingThePointerReadsTheValuesIntoStatusAndTooltip) {
    QSignalSpy status(&page, &RecordPage::statusTextChanged);
    QTest::mouseMove(View(), At(0));
    ASSERT_GE(status.count(), 1);
    EXPECT_EQ(status.last().at(0).toString(),
              QString::fromUtf8("Current Value: Vol: 5.0V, Cur: 10.0A, Thr:10.0%, "
                                "Temp:10.0\u2103, RPM:0.3"));
    const QString tip = View()->TooltipMarkup();
    // In the curves' colours: the voltage red, the others grey here.
    EXPECT_TRUE(tip.contains(QStringLiteral("<font color=#ff0000>VOL: 5.0V</font>")));
    EXPECT_TRUE(tip.contains(QStringLiteral("</font><br><font color=#808080>Temp")))
        << tip.toStdString();
    EXPECT_TRUE(Qt::mightBeRichText(tip));
}

TEST_F(RecordPageTest, ChannelControlsHideRecolourAndChooseTheYAxis) {
    page.SetChannelVisible(kVoltage, false);
    EXPECT_EQ(CountPixels(View()->grab().toImage(), QColor(255, 0, 0)), 0);
    page.SetChannelVisible(kVoltage, true);
    page.SetChannelColour(kVoltage, kBlue);
    const QImage blue = View()->grab().toImage();
    EXPECT_EQ(CountPixels(blue, QColor(255, 0, 0)), 0);
    EXPECT_GT(CountPixels(blue, QColor(0, 0, 255)), 0);

    page.SetYAxis(kCurrent);
    EXPECT_EQ(page.Model().YLabelChannel(), kCurrent);
    EXPECT_EQ(record->record.header.yAxis, kCurrent);
    // The Y labels are in the Y-axis channel's colour.
    page.SetChannelColour(kCurrent, 0x00C000);
    const QImage chart = page.Chart()->grab().toImage();
    EXPECT_GT(CountPixels(chart.copy(0, 0, View()->x(), chart.height()), QColor(0, 192, 0)), 0);
}

TEST_F(RecordPageTest, ThePowerScaleStandsRightOfThePlotInTheExportedImage) {
    page.resize(800, 600);
    page.SetPowerColour(0x00FF00);  // green, unlike every channel here
    // The pixels right of the plot that are mostly green (the text is smoothed).
    auto scalePixels = [&] {
        const QImage image = page.RenderImage();
        const QPoint from = View()->mapTo(&page, QPoint(View()->width(), 0));
        const QPoint to = page.Chart()->mapTo(&page, QPoint(page.Chart()->width(), 0));
        int n = 0;
        for (int y = 0; y < page.Chart()->height(); ++y) {
            for (int x = from.x(); x < to.x(); ++x) {
                const QColor c = image.pixelColor(x, to.y() + y);
                n += c.green() > 160 && c.red() < 120 && c.blue() < 120 ? 1 : 0;
            }
        }
        return n;
    };
    EXPECT_EQ(scalePixels(), 0);
    page.SetPowerShown(true);
    EXPECT_GT(scalePixels(), 100);
}

TEST_F(RecordPageTest, TheRenderedPageShowsTheCurvesAndTheSnapButtonAsks) {
    const QImage image = page.RenderImage();
    EXPECT_EQ(image.size(), page.size());
    EXPECT_GT(CountPixels(image, QColor(255, 0, 0)), 0);
    // The page's commands are not drawn: where Snap stands, only the page.
    const QRect snapArea(page.SnapButton()->mapTo(&page, QPoint(0, 0)), page.SnapButton()->size());
    const QImage button = image.copy(snapArea);
    EXPECT_EQ(CountPixels(button, button.pixelColor(0, 0)), button.width() * button.height());
    EXPECT_TRUE(page.SnapButton()->isVisible());
    QSignalSpy snap(&page, &RecordPage::snapRequested);
    QTest::mouseClick(page.SnapButton(), Qt::LeftButton);
    EXPECT_EQ(snap.count(), 1);
}

TEST_F(RecordPageTest, AFlightLaidOverIsDrawnDashedInItsOwnColourAndFollowsItsControls) {
    // The same record flown at a steady 2 V.
    auto second = std::make_unique<FlightData>(*record);
    second->record.raw[kVoltage].fill(200);
    second->Convert(windows);  // as the comparison that owns it converts it
    CurveModel& model = page.Model();
    model.SetReferenceLegend("a.dat");
    ASSERT_EQ(model.AddFlight(*second, 0.0, "b.dat"), 1);
    View()->InvalidateCurves();
    const int row = model.FlightPoints(1, kVoltage)[0].y;
    const QPoint origin = View()->mapTo(&page, QPoint(0, 0));
    // The second flight's colour (vermilion), not its channel's (red).
    const QColor flightColour = FromColorRef(kFlightColours[1]);
    auto redInRow = [&] {
        const QImage image = page.RenderImage();
        const int plotWidth = model.View().Geometry().plotWidth;
        return CountPixels(image.copy(origin.x(), origin.y() + row, plotWidth, 1), flightColour);
    };
    // Dashed: along most of the row, with gaps.
    const int dashed = redInRow();
    EXPECT_GT(dashed, model.View().Geometry().plotWidth / 3);
    EXPECT_LT(dashed, model.View().Geometry().plotWidth * 9 / 10);

    page.SetChannelVisible(kVoltage, false);
    EXPECT_EQ(redInRow(), 0);
    page.SetChannelVisible(kVoltage, true);
    model.RemoveFlight(1);
    View()->InvalidateCurves();
    EXPECT_EQ(redInRow(), 0);
}

TEST_F(RecordPageTest, StackedEachCurveHasItsOwnPlotAndTheChoiceIsAnnounced) {
    QSignalSpy layouts(&page, &RecordPage::layoutChosen);
    QSignalSpy curves(&page, &RecordPage::stackedCurvesChosen);
    EXPECT_FALSE(page.StackedPlotsButton()->isEnabled());
    page.StackedCheck()->click();
    ASSERT_EQ(layouts.count(), 1);
    EXPECT_EQ(page.Layout(), PlotLayout::Stacked);
    EXPECT_TRUE(page.StackedPlotsButton()->isEnabled());
    // The five channels the record has; the power waits for its curve.
    const PlotStack& stack = page.Stack();
    ASSERT_EQ(stack.Strips().size(), 5u);
    EXPECT_EQ(View()->height(), stack.ViewHeight());
    EXPECT_EQ(page.Model().View().Geometry().plotHeight, stack.StripGeometry().plotHeight);

    // The voltage (red) is drawn in the first plot and in no other.
    auto redIn = [&](std::size_t strip) {
        const QImage image = page.RenderImage();
        const QPoint origin = View()->mapTo(&page, QPoint(0, stack.Strips()[strip].top));
        return CountPixels(image.copy(origin.x(), origin.y(), stack.StripGeometry().viewWidth,
                                      stack.StripGeometry().viewHeight),
                           QColor(255, 0, 0));
    };
    EXPECT_GT(redIn(0), 100);
    EXPECT_EQ(redIn(1), 0);

    // "Plots" chooses the curves: without the current, four plots.
    QAction* current = page.StackedPlotsButton()->menu()->actions()[kCurrent];
    current->trigger();
    ASSERT_EQ(curves.count(), 1);
    EXPECT_EQ(curves.front().front().value<std::vector<int>>(),
              (std::vector<int>{kVoltage, kThrottle, kTemperature, kMotorRpm, kStackPower}));
    EXPECT_EQ(page.Stack().Strips().size(), 4u);
    page.SetPowerShown(true);
    EXPECT_EQ(page.Stack().Strips().size(), 5u);

    page.SetLayout(PlotLayout::Overlay);  // the stored choice: no signal
    EXPECT_EQ(layouts.count(), 1);
    EXPECT_FALSE(page.StackedCheck()->isChecked());
    EXPECT_EQ(View()->height(), page.Model().View().Geometry().viewHeight);
}

TEST_F(RecordPageTest, StackedPlotsLeaveRoomForTheLegendAbove) {
    page.SetLayout(PlotLayout::Stacked);
    const int alone = View()->y();
    auto second = std::make_unique<FlightData>(*record);
    second->Convert(windows);
    page.Model().SetReferenceLegend("a.dat");
    ASSERT_EQ(page.Model().AddFlight(*second, 0.0, "b.dat"), 1);
    page.SetLayout(PlotLayout::Stacked);
    // The plots move down by the legend's band and still end above the time
    // axis's labels.
    const int band = FlightOverlayPainter::LegendBand(page.Model());
    EXPECT_GT(band, FlightOverlayPainter::LegendBox(page.Model()).height());
    EXPECT_EQ(View()->y(), alone + band);
    EXPECT_LT(View()->geometry().bottom(),
              View()->parentWidget()->height() - CurvePainter::LabelMargins().bottom());
    page.Model().ClearFlights();
    page.SetLayout(PlotLayout::Stacked);
    EXPECT_EQ(View()->y(), alone);
}

TEST_F(RecordPageTest, ARecordWithImplausibleValuesStaysMarkedWhileItIsShown) {
    EXPECT_TRUE(page.ImplausibleMarkLabel()->isHidden());
    record->record.raw[kCurrent][100] = 125001100;  // no logger writes this
    page.ShowRecord();
    EXPECT_FALSE(page.ImplausibleMarkLabel()->isHidden());
    EXPECT_TRUE(page.ImplausibleMarkLabel()->text().startsWith(
        QStringLiteral("Implausible values: Current(A) reads 1250011.00 at 5.00 s")))
        << page.ImplausibleMarkLabel()->text().toStdString();
    record->record.raw[kCurrent][100] = 1000;
    page.ShowRecord();
    EXPECT_TRUE(page.ImplausibleMarkLabel()->isHidden());
}

}  // namespace
}  // namespace tavix

namespace tavix {
namespace {

TEST_F(RecordPageTest, TheMapShowsTheRecordsBandsAndItsXYPlotFollowsTheCursors) {
    QTest::mouseClick(page.MapButton(), Qt::LeftButton);
    FlightMapDlg* map = page.MapView();
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(map->isVisible());
    // The throttle holds 10 %: one band, 50 s of the 1000 samples at 20 a second.
    ASSERT_EQ(map->Table()->rowCount(), 1);
    EXPECT_EQ(map->Table()->item(0, 1)->text(), QStringLiteral("10-20"));
    EXPECT_EQ(map->Table()->item(0, 2)->text(), QStringLiteral("50.00"));
    map->BandBox()->setValue(25);
    EXPECT_EQ(map->Table()->item(0, 1)->text(), QStringLiteral("0-25"));

    auto seconds = [&] {
        double total = 0.0;
        for (const double s : map->Plot()->Plot().Histogram(0)) {
            total += s;
        }
        return total;
    };
    EXPECT_TRUE(map->Plot()->Plot().HasPoints());
    EXPECT_NEAR(seconds(), 50.0, 1e-9);
    map->SpanBox()->setCurrentIndex(1);  // between the cursors, none placed yet
    EXPECT_EQ(map->Plot()->Plot().FlightCount(), 0);
    page.Model().Cursors().PlaceAtSample(Cursor::A, 199);
    page.Model().Cursors().PlaceAtSample(Cursor::B, 100);
    emit View()->cursorsChanged();
    EXPECT_NEAR(seconds(), 5.0, 1e-9);  // samples 100-199
}

}  // namespace
}  // namespace tavix
