// Comparing records in the window: File > "Compare with..." and a Ctrl+drop
// add records to the one shown, the logbook's Compare opens 2-4 selected
// flights together, "Remove from comparison" and opening another record take
// them out; the alignment moves the drawn flights and the difference table
// compares the span between the cursors.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include "DemoWindow.h"
#include "analysis/AnalysisMessages.h"
#include "core/records/RecordTestData.h"
#include "platform/ColorRef.h"
#include "plot/CurveModel.h"
#include "records/CTavixDoc.h"
#include "records/Comparison.h"
#include "records/RecordCodec.h"
#include "ui/app/ComparisonBinding.h"
#include "ui/plot/CCurveView.h"
#include "ui/plot/ComparisonPanel.h"
#include "ui/plot/CurvePainter.h"
#include "ui/plot/RecordPage.h"
#include "ui/records/CLogbookDlg.h"

namespace tavix {
namespace {

class ComparisonUiTest : public test::DemoWindowTest {
protected:
    void SetUp() override {
        ASSERT_NE(Start(), nullptr) << prompt.Last();
        frame = app.MainFrame();
        page = view->RecordView();
        panel = page->CompareView();
    }

    // A record of `seconds` at 5 samples a second whose throttle jumps from
    // 5 % to 40 % at `riseSeconds`.
    QString Write(const char* name, int seconds, int riseSeconds) {
        auto record = test::MakeRecord(5, seconds * 5);
        for (int j = 0; j < seconds * 5; ++j) {
            for (int ch = 0; ch < 5; ++ch) {
                record->raw[ch][j] = 100;
            }
            record->raw[kThrottle][j] = j >= riseSeconds * 5 ? 80 : 10;
        }
        const QString path = dir.File(QString::fromLatin1(name));
        test::WriteBytes(path.toStdString(), EncodeRecordFile(*record));
        return path;
    }

    Comparison& Compared() { return binding->Records().Comparisons().Compared(); }
    QStringList RemoveEntries() const {
        QStringList names;
        for (QAction* a : frame->RemoveFromComparisonMenu()->actions()) {
            names << a->text();
        }
        return names;
    }

    CMainFrame* frame = nullptr;
    RecordPage* page = nullptr;
    ComparisonPanel* panel = nullptr;
};

TEST_F(ComparisonUiTest, AddedRecordsAreShownUntilRemovedOrAnotherRecordIsOpened) {
    const QString a = Write("a.dat", 60, 10);
    const QString b = Write("b.dat", 40, 4);
    const QString c = Write("c.dat", 30, 2);
    test::WriteBytes(dir.File(QStringLiteral("broken.dat")).toStdString(), "not a record");
    QAction* compare = frame->Action(QStringLiteral("actionCompare"));
    EXPECT_EQ(compare->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+O")));
    EXPECT_FALSE(compare->isEnabled());  // nothing shown to compare with
    frame->resize(1280, 1000);
    ASSERT_TRUE(frame->OpenRecordFile(a)) << prompt.Last();
    EXPECT_TRUE(compare->isEnabled());
    EXPECT_FALSE(panel->isVisibleTo(page));

    // The file that fails is named with its reason; the others are added.
    ASSERT_TRUE(frame->AddToComparison({b, dir.File(QStringLiteral("broken.dat")), c}));
    EXPECT_EQ(prompt.Last().rfind("broken.dat can't be compared: ", 0), 0u) << prompt.Last();
    EXPECT_EQ(page->Model().FlightCount(), 3);
    EXPECT_TRUE(panel->isVisibleTo(page));
    EXPECT_EQ(panel->Table()->columnCount(), 6);  // captions, a, b and its difference, c and its
    EXPECT_EQ(panel->Table()->horizontalHeaderItem(2)->text(), QStringLiteral("b.dat"));
    EXPECT_EQ(RemoveEntries(), (QStringList{QStringLiteral("b.dat"), QStringLiteral("c.dat")}));
    // Each record's column in its colour, as its curves.
    EXPECT_EQ(panel->Table()->horizontalHeaderItem(4)->foreground().color(),
              FromColorRef(kFlightColours[2]));
    // The table shares the height with the curves: two fifths of it.
    const QList<int> shares = page->findChild<QSplitter*>(QStringLiteral("recordSplit"))->sizes();
    ASSERT_EQ(shares.size(), 2);
    EXPECT_NEAR(shares[1] * 5.0 / (shares[0] + shares[1]), 2.0, 0.1)
        << shares[0] << " " << shares[1];
    // Drawn as an image, the page grows to hold the whole table, in sight
    // below the curves, and none of its controls.
    page->ShowWhole(true);
    QTableWidget* table = panel->Table();
    EXPECT_FALSE(panel->AlignBox()->isVisibleTo(page));
    EXPECT_GE(table->height(),
              table->verticalHeader()->length() + table->horizontalHeader()->sizeHint().height());
    EXPECT_GE(table->width(), table->horizontalHeader()->length());
    page->resize(page->minimumSizeHint().expandedTo(QSize(page->width(), 200)));
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const auto* below = page->findChild<QScrollArea*>(QStringLiteral("analysisPart"));
    const QRect tableInView(table->mapTo(below->viewport(), QPoint(0, 0)), table->size());
    EXPECT_TRUE(below->viewport()->rect().contains(tableInView))
        << below->viewport()->height() << " " << tableInView.bottom();
    page->ShowWhole(false);
    EXPECT_TRUE(panel->AlignBox()->isVisibleTo(page));

    frame->RemoveFromComparisonMenu()->actions().front()->trigger();
    EXPECT_EQ(page->Model().FlightCount(), 2);
    EXPECT_EQ(panel->Table()->horizontalHeaderItem(2)->text(), QStringLiteral("c.dat"));
    EXPECT_EQ(RemoveEntries(), QStringList{QStringLiteral("c.dat")});

    // A record dropped with Ctrl held is added; opening another starts anew.
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(b)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                          Qt::ControlModifier);
    QApplication::sendEvent(frame, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(frame, &drop);
    QApplication::processEvents();
    EXPECT_EQ(page->Model().FlightCount(), 3);
    EXPECT_EQ(frame->DocumentPath(), a);

    // Saved under another name, the reference is named so.
    ASSERT_TRUE(binding->Records().SaveRecord(dir.File(QStringLiteral("renamed.dat"))));
    EXPECT_EQ(panel->Table()->horizontalHeaderItem(1)->text(),
              QStringLiteral("renamed.dat (reference)"));
    EXPECT_EQ(page->Model().FlightCount(), 3);

    // The last one out: no hint about aligning records stays in the status bar.
    QSignalSpy status(page, &RecordPage::statusTextChanged);
    frame->RemoveFromComparisonMenu()->actions().front()->trigger();
    frame->RemoveFromComparisonMenu()->actions().front()->trigger();
    EXPECT_EQ(page->Model().FlightCount(), 1);
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("Ready"));

    ASSERT_TRUE(frame->OpenRecordFile(b));
    EXPECT_EQ(page->Model().FlightCount(), 1);
    EXPECT_FALSE(panel->isVisibleTo(page));
    EXPECT_FALSE(frame->RemoveFromComparisonMenu()->isEnabled());
}

TEST_F(ComparisonUiTest, LogbookComparesTheSelectedFlightsTheTopmostTheReference) {
    Write("a.dat", 60, 10);
    Write("b.dat", 40, 4);
    Write("c.dat", 30, 2);
    test::WriteBytes(dir.File(QStringLiteral("d.dat")).toStdString(), "not a record");
    frame->SetLogbookFolder([this] { return dir.Path(); });
    frame->Action(QStringLiteral("actionLogbook"))->trigger();
    CLogbookDlg* logbook = frame->Logbook();
    ASSERT_NE(logbook, nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(!logbook->IsLoading(), 20000);
    QTableView* table = logbook->Table();
    table->sortByColumn(static_cast<int>(LogbookColumn::File), Qt::AscendingOrder);
    ASSERT_EQ(logbook->RowCount(), 4);
    EXPECT_FALSE(logbook->CompareButton()->isEnabled());  // one row

    // c, then a, then the file that does not open: Enter compares.
    table->selectionModel()->clearSelection();
    const auto select = [&](int row) {
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    };
    for (const int row : {2, 0, 1, 3}) {
        select(row);
    }
    EXPECT_TRUE(logbook->CompareButton()->isEnabled());
    EXPECT_FALSE(logbook->OpenButton()->isEnabled());
    table->selectionModel()->select(table->model()->index(1, 0),
                                    QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Return);

    EXPECT_EQ(frame->DocumentPath(), dir.File(QStringLiteral("a.dat")));
    ASSERT_EQ(Compared().Count(), 2);
    EXPECT_EQ(Compared().Name(1), "c.dat");
    EXPECT_NE(logbook->StatusLabel()->text().indexOf(QStringLiteral("d.dat: ")), -1)
        << logbook->StatusLabel()->text().toStdString();
}

TEST_F(ComparisonUiTest, AlignmentMovesTheFlightsAndTheTableComparesTheCursorSpan) {
    ASSERT_TRUE(frame->OpenRecordFile(Write("a.dat", 60, 10)));
    frame->AddToComparison({Write("b.dat", 40, 4)});
    ASSERT_EQ(page->Model().FlightCount(), 2);
    EXPECT_DOUBLE_EQ(page->Model().Overlay().OffsetSeconds(1), 0.0);

    // Throttle: b is drawn 6 s later, where a's throttle rises.
    panel->AlignBox()->setCurrentIndex(1);
    emit panel->AlignBox()->activated(1);
    EXPECT_NEAR(page->Model().Overlay().OffsetSeconds(1), 6.0, 1e-9);

    // Cursor A on b's moment 20 s (drawn at 26 s) after the reference's at 30 s.
    MeasureCursors& cursors = page->Model().Cursors();
    ASSERT_TRUE(cursors.PlaceAtSample(Cursor::A, 30 * 5));
    panel->SetAlignment(AlignMode::CursorA, 20);
    ASSERT_TRUE(cursors.PlaceAtSample(Cursor::A, 26 * 5));
    panel->AlignAtCursor(1);
    EXPECT_NEAR(page->Model().Overlay().OffsetSeconds(1), 10.0, 1e-9);
    EXPECT_EQ(panel->AlignBox()->currentIndex(), 2);

    // Both cursors: the table compares the span too.
    const auto sectionRows = [&] {
        int rows = 0;
        for (int r = 0; r < panel->Table()->rowCount(); ++r) {
            rows +=
                panel->Table()->item(r, 0)->text() == QString::fromLatin1(kCaptionBetweenCursors)
                    ? 1
                    : 0;
        }
        return rows;
    };
    EXPECT_EQ(sectionRows(), 0);
    cursors.PlaceAtSample(Cursor::B, 40 * 5);
    emit page->CurveView()->cursorsChanged();
    EXPECT_EQ(sectionRows(), 1);

    // Delete on b's column takes it out.
    panel->Table()->setCurrentCell(3, 3);
    panel->Table()->setFocus();
    QTest::keyClick(panel->Table(), Qt::Key_Delete);
    EXPECT_EQ(page->Model().FlightCount(), 1);
    EXPECT_FALSE(panel->isVisibleTo(page));
}

}  // namespace
}  // namespace tavix
