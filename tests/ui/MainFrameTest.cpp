// The main window: exit question, size, menu state, status panes, the record
// file hooks with the title and the recent-file list, dropped files.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "UiTestSupport.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "exports/CsvExport.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "records/CTavixDoc.h"
#include "shell/ShellMessages.h"
#include "ui/plot/RecordPage.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CQTabCtrl.h"
#include "ui/shell/CTavixView.h"
#include "ui/shell/StatusPanes.h"

namespace tavix {
namespace {

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        ClearRecentFiles();
        frame = std::make_unique<CMainFrame>(config, doc, ini, prompt, clock);
        frame->show();
    }
    void TearDown() override {
        frame.reset();
        ClearRecentFiles();
    }
    static void ClearRecentFiles() {
        QSettings settings(QString::fromLatin1(kSettingsOrganisation),
                           QString::fromLatin1(kSettingsApplication));
        settings.remove(QString::fromLatin1(kRecentFileGroup));
    }
    static QStringList StoredRecentFiles() {
        QSettings settings(QString::fromLatin1(kSettingsOrganisation),
                           QString::fromLatin1(kSettingsApplication));
        settings.beginGroup(QString::fromLatin1(kRecentFileGroup));
        QStringList files;
        for (int i = 1; i <= 5; ++i) {
            const QString v = settings.value(QStringLiteral("File%1").arg(i)).toString();
            if (!v.isEmpty()) {
                files << v;
            }
        }
        return files;
    }

    CIniFile ini;
    CAppConfig config;
    CTavixDoc doc{config, ini};
    test::FakePrompt prompt;
    test::FixedClock clock;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(MainFrameTest, CloseBoxAsksAndNoKeepsTheProgramRunning) {
    prompt.answers = {false};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, kMsgReallyExit);
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Question);
    EXPECT_TRUE(prompt.shown[0].question);
    // Everything as it was: a second close asks again, and Yes closes.
    prompt.answers = {true};
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(prompt.shown.size(), 2u);
}

TEST_F(MainFrameTest, FileExitClosesWithoutAsking) {
    frame->Action(QStringLiteral("actionExit"))->trigger();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(MainFrameTest, FormExitButtonAsksThroughTheWindow) {
    prompt.answers = {false};
    QTest::mouseClick(frame->View()->ExitButton(), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(prompt.Texts(), std::vector<std::string>{kMsgReallyExit});
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(MainFrameTest, OpensAtMinimumSizeAndCannotShrink) {
    EXPECT_EQ(frame->size(), QSize(800, 600));
    frame->resize(500, 300);
    EXPECT_EQ(frame->size(), QSize(800, 600));
    frame->resize(1000, 700);
    EXPECT_EQ(frame->size(), QSize(1000, 700));
}

TEST_F(MainFrameTest, CommandsWithoutAHandlerAreDisabled) {
    for (const char* name :
         {"actionNew", "actionUndo", "actionCut", "actionCopy", "actionPaste", "actionPrint"}) {
        QAction* action = frame->Action(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_FALSE(action->isEnabled()) << name;
    }
    EXPECT_TRUE(frame->Action(QStringLiteral("actionAbout"))->isEnabled());
    EXPECT_EQ(frame->Action(QStringLiteral("actionOpen"))->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+O")));
    // Exports only while a record is on show.
    bool exported = false;
    frame->SetCsvExporter([&] { exported = true; });
    QAction* csv = frame->Action(QStringLiteral("actionSaveCsv"));
    EXPECT_FALSE(csv->isEnabled());
    frame->View()->SetTabEnabled(kTabRecord, true);
    frame->View()->SelectTab(kTabRecord);
    EXPECT_TRUE(csv->isEnabled());
    csv->trigger();
    EXPECT_TRUE(exported);
    frame->View()->SelectTab(kTabWelcome);
    EXPECT_FALSE(csv->isEnabled());
}

TEST_F(MainFrameTest, F6MovesBetweenTheStripThePageAndTheButtons) {
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QWidget* strip = frame->View()->Tabs()->tabBar();
    strip->setFocus();
    // The welcome page takes no focus: F6 goes on to the device buttons.
    QTest::keyClick(frame.get(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), frame->View()->OpenDeviceButton());
    QTest::keyClick(frame.get(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), strip);
    QTest::keyClick(frame.get(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), frame->View()->OpenDeviceButton());
}

TEST_F(MainFrameTest, StatusPanes) {
    EXPECT_EQ(frame->PaneText(StatusPanes::kStatusPane), QString::fromLatin1(kStatusReady));
    EXPECT_EQ(frame->PaneText(StatusPanes::kClockPane), QStringLiteral("12:00:00"));
    EXPECT_EQ(frame->PaneText(StatusPanes::kCapsPane), QStringLiteral("CAP"));
    frame->View()->SetVersionText(QStringLiteral("TVKA20141L400312"));
    EXPECT_EQ(frame->PaneText(StatusPanes::kVersionPane), QStringLiteral(" TVKA20141L400312"));
    frame->View()->SetStatusText(QStringLiteral("Current Value: Vol: 12.3V"));
    EXPECT_EQ(frame->PaneText(StatusPanes::kStatusPane),
              QStringLiteral("Current Value: Vol: 12.3V"));
    // The values under the pointer go with the chart they were read from:
    // gone when another record is shown and when the record page is left.
    const QString value = QStringLiteral("Current Value: Vol: 12.3V");
    frame->View()->SetTabEnabled(kTabRecord, true);
    frame->View()->SelectTab(kTabRecord);
    frame->View()->SetStatusText(value);
    frame->View()->RecordView()->ShowRecord();
    EXPECT_EQ(frame->PaneText(StatusPanes::kStatusPane), QString::fromLatin1(kStatusReady));
    frame->View()->SetStatusText(value);
    frame->View()->SelectTab(kTabWelcome);
    EXPECT_EQ(frame->PaneText(StatusPanes::kStatusPane), QString::fromLatin1(kStatusReady));
    // The clock pane follows the clock once a second.
    clock.local = LocalTime{2014, 3, 7, 9, 30, 5};
    QTRY_COMPARE_WITH_TIMEOUT(frame->PaneText(StatusPanes::kClockPane), QStringLiteral("09:30:05"),
                              2500);
}

TEST(FitStatusText, CutsBetweenValuesNeverInsideOne) {
    const QString values = QStringLiteral("Vol: 12.3V, Cur: 45.6A, Thr:50%, RPM:1071.4");
    auto within = [](int chars) {
        return [chars](const QString& text) { return text.size() <= chars; };
    };
    struct Case {
        int room;
        const char* shown;
    };
    const Case cases[] = {
        {100, "Vol: 12.3V, Cur: 45.6A, Thr:50%, RPM:1071.4"},
        {40, "Vol: 12.3V, Cur: 45.6A, Thr:50%, ..."},
        {30, "Vol: 12.3V, Cur: 45.6A, ..."},
        {20, "Vol: 12.3V, ..."},
        {5, "Vol: 12.3V, ..."},  // not even the first value: it is clipped, not cut
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitStatusText(values, within(c.room)), QString::fromLatin1(c.shown)) << c.room;
    }
    EXPECT_EQ(FitStatusText(QStringLiteral("Ready"), within(2)), QStringLiteral("Ready"));
}

TEST_F(MainFrameTest, OpenedRecordNamesTheWindowAndTopsTheRecentFiles) {
    test::ScratchDir dir;
    EXPECT_EQ(frame->windowTitle(), QString::fromLatin1(kUntitledTitle));
    QStringList opened;
    frame->SetRecordOpener([&](const QString& path) {
        opened << path;
        return !path.endsWith(QStringLiteral("bad.dat"));
    });
    ASSERT_TRUE(frame->OpenRecordFile(dir.File(QStringLiteral("2014-3-7_1.dat"))));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("2014-3-7_1.dat - Tavix"));
    for (int i = 2; i <= 6; ++i) {
        frame->OpenRecordFile(dir.File(QStringLiteral("2014-3-7_%1.dat").arg(i)));
    }
    QStringList expected;
    for (int i = 6; i >= 2; --i) {
        expected << dir.File(QStringLiteral("2014-3-7_%1.dat").arg(i));
    }
    EXPECT_EQ(frame->RecentFiles(), expected);
    EXPECT_EQ(StoredRecentFiles(), expected);
    ASSERT_NE(frame->Action(QStringLiteral("actionRecent1")), nullptr);
    EXPECT_EQ(frame->Action(QStringLiteral("actionRecent6")), nullptr);

    // Choosing a recent entry opens it again.
    opened.clear();
    frame->Action(QStringLiteral("actionRecent3"))->trigger();
    EXPECT_EQ(opened, QStringList{expected[2]});

    // A file that fails keeps the title and leaves the list.
    const QString title = frame->windowTitle();
    EXPECT_FALSE(frame->OpenRecordFile(dir.File(QStringLiteral("bad.dat"))));
    EXPECT_EQ(frame->windowTitle(), title);
    EXPECT_FALSE(frame->RecentFiles().contains(dir.File(QStringLiteral("bad.dat"))));
}

TEST_F(MainFrameTest, RecentFilesComeBackWithTheNextWindow) {
    test::ScratchDir dir;
    frame->SetRecordOpener([](const QString&) { return true; });
    frame->OpenRecordFile(dir.File(QStringLiteral("a.dat")));
    frame->OpenRecordFile(dir.File(QStringLiteral("b.dat")));
    CMainFrame next(config, doc, ini, prompt, clock);
    EXPECT_EQ(next.RecentFiles(),
              (QStringList{dir.File(QStringLiteral("b.dat")), dir.File(QStringLiteral("a.dat"))}));
}

TEST_F(MainFrameTest, DroppedFileIsOpenedAsTheDocument) {
    QStringList opened;
    frame->SetRecordOpener([&](const QString& path) {
        opened << path;
        return true;
    });
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/flight.dat"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    QApplication::processEvents();
    EXPECT_EQ(opened, QStringList{QStringLiteral("/tmp/flight.dat")});
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("flight.dat - Tavix"));
}

TEST_F(MainFrameTest, SaveAsCsvProposesANameAndWritesTheRecord) {
    test::ScratchDir dir;
    FlightRecord& record = doc.Record();
    record.header.channels = 5;
    record.header.samples = 3;
    record.dataLoaded = true;
    frame->View()->SetTabEnabled(kTabRecord, true);
    frame->View()->SelectTab(kTabRecord);
    QString proposed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        dialog->selectFile(dir.File(QStringLiteral("flight")));  // typed without extension
        static_cast<QDialog*>(dialog)->accept();                 // as the Save button does
    });
    frame->Action(QStringLiteral("actionSaveCsv"))->trigger();
    EXPECT_EQ(proposed, QStringLiteral("Untitled_2014_3_7_1.csv"));
    EXPECT_EQ(dir.Read(QStringLiteral("flight.csv")).toStdString(), CsvText(doc.Current()));
    EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
}  // namespace tavix
