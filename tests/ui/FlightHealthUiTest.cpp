// Flight health in the window: an upload from a logger whose flights have a
// low pack, heat and lost sync, with the pack typed beside the user
// parameters, ends on a record page whose event list and markers show what
// core finds, and choosing an event puts the cursors around it; the logbook
// colours each flight's events by its worst kind and gathers the packs.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "DemoWindow.h"
#include "analysis/FlightEvents.h"
#include "analysis/PackTrend.h"
#include "analysis/SpanIndex.h"
#include "logger/LoggerLink.h"
#include "plot/CurveModel.h"
#include "plot/EventMarkers.h"
#include "records/AnalysisLimits.h"
#include "sim/LoggerMemory.h"
#include "ui/analysis/EventListPanel.h"
#include "ui/plot/EventMarkerStrip.h"
#include "ui/plot/RecordPage.h"
#include "ui/records/CLogbookDlg.h"
#include "ui/records/PacksView.h"

namespace tavix {
namespace {

class FlightHealthUiTest : public test::DemoWindowTest {
protected:
    // Uploads the troubled flights with `pack` in the pack field.
    RecordPage* Upload(const QString& pack) {
        device->LoadMemory(sim::TroubledMemoryPlan());
        if (!StartAndIdentify(kTabRecord) || !view->SelectTab(kTabRecord)) {
            return nullptr;
        }
        view->SetNoteText(QStringLiteral("club field"));
        view->PackEdit()->setText(pack);
        QTest::mouseClick(view->UploadButton(), Qt::LeftButton);
        const QString last = dir.File(QStringLiteral("2014-3-7_3.dat"));
        if (!QTest::qWaitFor(
                [&] {
                    return app.MainFrame()->DocumentPath() == last && !binding->Link().State().busy;
                },
                kWaitMs)) {
            return nullptr;
        }
        return view->RecordView();
    }
};

TEST_F(FlightHealthUiTest, UploadedFlightShowsItsEventsAndChoosingOnePlacesTheCursors) {
    RecordPage* page = Upload(QStringLiteral(" Red 6S "));
    ASSERT_NE(page, nullptr) << prompt.Last();
    const FlightRecord& record = app.Document().Record();
    EXPECT_EQ(FixedText(record.header.note), "Pack: Red 6S\nclub field");

    const std::vector<FlightEvent> want =
        FindEvents(record, SpanIndex(app.Document().Current()), EventLimits{});
    ASSERT_GE(want.size(), 3u);  // heat, lost sync and a low cell at least
    ASSERT_EQ(page->Events().size(), want.size());
    QTreeWidget* list = page->EventList()->List();
    ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(want.size()));
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(list->topLevelItem(static_cast<int>(i))->text(1),
                  QString::fromLatin1(EventKindName(want[i].kind)));
    }
    EXPECT_EQ(page->EventMarkers()->Markers().size(), want.size());

    // Choosing the second event in the list: A on its first sample, B where it ends.
    list->setCurrentItem(list->topLevelItem(1));
    const MeasureCursors& cursors = page->Model().Cursors();
    ASSERT_TRUE(cursors.BothPlaced());
    EXPECT_EQ(*cursors.SampleOf(Cursor::A), want[1].first);
    EXPECT_EQ(*cursors.SampleOf(Cursor::B), want[1].last + 1);

    // Limits that nothing in this flight breaks: no events, and config.ini keeps them.
    EventLimits calm;
    calm.cellMin = 2.5;
    calm.tempMax = 150.0;
    calm.currentMax = 200.0;
    page->SetEventLimits(calm);
    emit page->eventLimitsChosen(calm);
    for (const FlightEvent& e : page->Events()) {
        EXPECT_TRUE(e.kind == EventKind::RpmDrop || e.kind == EventKind::NoReading)
            << EventKindName(e.kind);
    }
    const QByteArray ini = dir.Read(QStringLiteral("config.ini"));
    EXPECT_TRUE(ini.contains("[analysis]\r\ncellmin=2.50\r\ntempmax=150.00\r\ncurrentmax=200.00"))
        << ini.toStdString();
}

TEST_F(FlightHealthUiTest, LogbookHighlightsTheWorstKindAndGathersThePacks) {
    ASSERT_NE(Upload(QStringLiteral("Blue")), nullptr) << prompt.Last();
    CLogbookDlg logbook(app.Ini(), app.Config().smoothing);
    logbook.SetFolder(dir.Path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !logbook.IsLoading(); }, kWaitMs));
    ASSERT_GT(logbook.RowCount(), 0);
    const LogbookEntry* entry = logbook.EntryAtRow(0);
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(entry->worstEvent);
    const QModelIndex cell =
        logbook.Table()->model()->index(0, static_cast<int>(LogbookColumn::Events));
    EXPECT_EQ(cell.data().toString(), QString::number(entry->events));
    EXPECT_TRUE(cell.data(Qt::BackgroundRole).isValid());

    ASSERT_TRUE(logbook.PacksButton()->isEnabled());
    QTest::mouseClick(logbook.PacksButton(), Qt::LeftButton);
    ASSERT_NE(logbook.Packs(), nullptr);
    QTableWidget* packs = logbook.Packs()->Table();
    ASSERT_EQ(packs->rowCount(), 1);
    EXPECT_EQ(packs->item(0, 0)->text(), QStringLiteral("Blue"));
    EXPECT_EQ(packs->item(0, 1)->text(), QString::number(logbook.RowCount()));
}

}  // namespace
}  // namespace tavix
