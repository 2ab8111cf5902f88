// The logbook window: opened from File > Logbook... on the folder of the last
// upload, sorted by a click on a heading, failed files in red with their
// reason, a double-click opening the flight through the main window, and a
// large folder read while the window keeps answering.
#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "core/records/RecordTestData.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "fakes/TempDir.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"
#include "sim/SimDevice.h"
#include "ui/records/CLogbookDlg.h"
#include "ui/records/SettingsGroupsView.h"
#include "ui/shell/CMainFrame.h"

namespace tavix {
namespace {

constexpr std::int64_t kMorning = 1394193600;

class LogbookTest : public ::testing::Test {
protected:
    LogbookTest() {
        QStandardPaths::setTestModeEnabled(true);
        test::AddProfile(ini, "1L40", 0.1f, 0.000001f);
        ini.PutText("1L40", "cvalue1", "0", true);  // 0.5 A steps from 0
    }

    // A flight of `seconds` at 5 samples per second drawing `amps2` / 2 A.
    // `brake`: the ESC's brake byte the flight flew with (none kept when < 0).
    void WriteFlight(const std::string& name, std::int64_t time, int seconds, int amps2,
                     int brake = -1) {
        auto record = test::MakeRecord(5, seconds * 5);
        record->header.timeA = time;
        if (brake >= 0) {
            const Bytes block = sim::DefaultParamBlock(sim::Series::Tarrow);
            record->escBlock.assign(block.begin(), block.end());
            record->escBlock[3] = static_cast<char>(brake);
        }
        for (auto& samples : record->raw) {
            samples.fill(100);  // what a logger writes: never above 16 bits
        }
        for (int j = 0; j < seconds * 5; ++j) {
            record->raw[kVoltage][j] = 120;
            record->raw[kCurrent][j] = amps2;
        }
        test::WriteBytes(dir.File(name), EncodeRecordFile(*record));
    }

    void WriteFolder() {
        WriteFlight("b.dat", kMorning + 600, 100, 40);  // the later flight, more current
        WriteFlight("a.dat", kMorning, 300, 20);
        test::WriteBytes(dir.File("broken.dat"), test::ReadBytes(dir.File("a.dat")).substr(0, 900));
        test::WriteBytes(dir.File("list.dat"), "a shopping list, not a record");
    }

    static void WaitForLoading(CLogbookDlg& dialog) {
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsLoading(), 20000);
    }

    std::vector<std::string> Names(const CLogbookDlg& dialog) const {
        std::vector<std::string> names;
        for (int row = 0; row < dialog.RowCount(); ++row) {
            names.push_back(dialog.EntryAtRow(row)->name);
        }
        return names;
    }

    static void ClickHeading(CLogbookDlg& dialog, LogbookColumn column) {
        QHeaderView* header = dialog.Table()->horizontalHeader();
        const int section = static_cast<int>(column);
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    test::TempDir dir;
    CIniFile ini;
    CAppConfig config;
    CTavixDoc doc{config, ini};
    test::FakePrompt prompt;
    test::FixedClock clock;
};

TEST_F(LogbookTest, FileMenuOpensTheUploadFolderAndADoubleClickOpensTheFlight) {
    WriteFolder();
    CMainFrame frame(config, doc, ini, prompt, clock);
    QStringList opened;
    frame.SetRecordOpener([&](const QString& path) {
        opened << path;
        return true;
    });
    frame.SetLogbookFolder([&] { return QString::fromStdString(dir.Path().string()); });
    frame.show();

    QAction* action = frame.Action(QStringLiteral("actionLogbook"));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("&Logbook..."));
    EXPECT_TRUE(frame.menuBar()->actions().front()->menu()->actions().contains(action));
    action->trigger();
    CLogbookDlg* dialog = frame.Logbook();
    ASSERT_NE(dialog, nullptr);
    WaitForLoading(*dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Folder().toStdString(), dir.Path().string());
    // It opens with every column in sight when the screen has the room, and
    // never larger than the screen.
    const QSize roomy = dialog->OpeningSize(QSize(4000, 3000));
    const QHeaderView* header = dialog->Table()->horizontalHeader();
    EXPECT_GE(roomy.width(), header->sectionPosition(kLogbookColumns - 1) +
                                 header->sectionSize(kLogbookColumns - 1));
    EXPECT_GE(roomy.height(), 300);
    EXPECT_LE(dialog->OpeningSize(QSize(800, 600)).width(), 800);
    EXPECT_LE(dialog->OpeningSize(QSize(800, 600)).height(), 600);

    // By date, then the files that failed, in red, with their reason.
    EXPECT_EQ(Names(*dialog),
              (std::vector<std::string>{"a.dat", "b.dat", "broken.dat", "list.dat"}));
    EXPECT_EQ(dialog->StatusLabel()->text(), QString::fromLatin1(kLogbookSummary).arg(2).arg(2));
    QAbstractItemModel* model = dialog->Table()->model();
    EXPECT_EQ(model->data(model->index(0, static_cast<int>(LogbookColumn::Capacity))).toString(),
              QStringLiteral("833"));  // 10 A for 300 s
    const QModelIndex brokenError = model->index(2, kLogbookColumns);
    EXPECT_TRUE(model->data(brokenError).toString().contains(QStringLiteral("is too short")));
    EXPECT_EQ(model->data(brokenError, Qt::ForegroundRole).value<QBrush>().color(),
              QColor(Qt::red));

    // Open is for flights only; a failed file's reason shows below the table.
    dialog->Table()->selectRow(3);
    EXPECT_FALSE(dialog->OpenButton()->isEnabled());
    EXPECT_EQ(dialog->StatusLabel()->text(),
              model->data(model->index(3, kLogbookColumns)).toString());
    dialog->Table()->selectRow(1);
    EXPECT_TRUE(dialog->OpenButton()->isEnabled());
    EXPECT_EQ(dialog->StatusLabel()->text(), QString::fromLatin1(kLogbookSummary).arg(2).arg(2));

    QTableView* table = dialog->Table();
    const QRect cell = table->visualRect(model->index(1, static_cast<int>(LogbookColumn::Note)));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toStdString(), dir.File("b.dat"));
    EXPECT_EQ(frame.DocumentPath().toStdString(), dir.File("b.dat"));

    // A failed file opens nothing; its reason shows below the table.
    const QRect failed = table->visualRect(model->index(3, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, failed.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, failed.center());
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(dialog->StatusLabel()->text().contains(QStringLiteral("list.dat")));
}

TEST_F(LogbookTest, AClickOnAHeadingSortsByItAndFailuresStayLast) {
    WriteFolder();
    CLogbookDlg dialog(ini, config.smoothing);
    dialog.show();
    dialog.SetFolder(QString::fromStdString(dir.Path().string()));
    WaitForLoading(dialog);

    ClickHeading(dialog, LogbookColumn::MaxCurrent);
    EXPECT_EQ(Names(dialog),
              (std::vector<std::string>{"a.dat", "b.dat", "broken.dat", "list.dat"}));
    ClickHeading(dialog, LogbookColumn::MaxCurrent);
    EXPECT_EQ(Names(dialog),
              (std::vector<std::string>{"b.dat", "a.dat", "broken.dat", "list.dat"}));
    ClickHeading(dialog, LogbookColumn::Duration);
    EXPECT_EQ(Names(dialog),
              (std::vector<std::string>{"b.dat", "a.dat", "broken.dat", "list.dat"}));
    ClickHeading(dialog, LogbookColumn::File);
    ClickHeading(dialog, LogbookColumn::File);
    EXPECT_EQ(Names(dialog),
              (std::vector<std::string>{"b.dat", "a.dat", "broken.dat", "list.dat"}));
}

TEST_F(LogbookTest, AFolderOfManyRecordsIsReadWhileTheWindowKeepsAnswering) {
    constexpr int kFiles = 200;
    WriteFlight("0.dat", kMorning, 400, 20);
    const std::string bytes = test::ReadBytes(dir.File("0.dat"));
    for (int i = 1; i < kFiles; ++i) {
        test::WriteBytes(dir.File(std::to_string(i) + ".dat"), bytes);
    }
    CLogbookDlg dialog(ini, config.smoothing);
    dialog.show();
    dialog.SetFolder(QString::fromStdString(dir.Path().string()));
    // Nothing is read before the window gets back to its events.
    EXPECT_TRUE(dialog.IsLoading());
    EXPECT_EQ(dialog.RowCount(), 0);
    EXPECT_TRUE(dialog.Progress()->isVisible());
    EXPECT_EQ(dialog.Progress()->maximum(), kFiles);
    int passes = 0;
    while (dialog.IsLoading() && passes < 100000) {
        QCoreApplication::processEvents();
        ++passes;
    }
    EXPECT_GE(passes, kFiles / CLogbookDlg::kFilesPerPass);
    EXPECT_EQ(dialog.RowCount(), kFiles);
    EXPECT_FALSE(dialog.Progress()->isVisible());
    EXPECT_EQ(dialog.StatusLabel()->text(), QString::fromLatin1(kLogbookAllRead).arg(kFiles));

    // Closing the window while it reads stops the reading.
    dialog.SetFolder(QString::fromStdString(dir.Path().string()));
    QCoreApplication::processEvents();
    dialog.close();
    EXPECT_FALSE(dialog.IsLoading());
    EXPECT_LT(dialog.RowCount(), kFiles);
}

TEST_F(LogbookTest, SettingsGroupsTheFlightsAndComparesAcrossAChange) {
    WriteFlight("a.dat", kMorning, 100, 20, 0);
    WriteFlight("b.dat", kMorning + 600, 100, 20, 0);
    WriteFlight("c.dat", kMorning + 1200, 100, 40, 2);
    CLogbookDlg dialog(ini, config.smoothing);
    dialog.SetFolder(QString::fromStdString(dir.Path().string()));
    WaitForLoading(dialog);
    ASSERT_TRUE(dialog.SettingsButton()->isEnabled());
    dialog.SettingsButton()->click();
    SettingsGroupsView* view = dialog.Settings();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->Table()->rowCount(), 2);
    EXPECT_EQ(view->Table()->item(0, 1)->text(), QStringLiteral("2"));
    EXPECT_EQ(view->Table()->item(1, 2)->text(), QStringLiteral("c.dat"));
    EXPECT_TRUE(view->Table()->item(1, 8)->text().contains(QStringLiteral(" -> ")))
        << view->Table()->item(1, 8)->text().toStdString();

    // Compare: the last flight before the change, then the first after it.
    QSignalSpy compared(&dialog, &CLogbookDlg::compareRequested);
    view->Table()->selectAll();
    view->CompareButton()->click();
    ASSERT_EQ(compared.size(), 1);
    const QStringList paths = compared[0][0].toStringList();
    ASSERT_EQ(paths.size(), 2);
    EXPECT_TRUE(paths[0].endsWith(QStringLiteral("b.dat"))) << paths[0].toStdString();
    EXPECT_TRUE(paths[1].endsWith(QStringLiteral("c.dat"))) << paths[1].toStdString();
}

TEST_F(LogbookTest, AFolderThatCannotBeReadSaysSo) {
    CLogbookDlg dialog(ini, config.smoothing);
    dialog.SetFolder(QString::fromStdString(dir.File("gone")));
    EXPECT_FALSE(dialog.IsLoading());
    EXPECT_TRUE(dialog.StatusLabel()->text().startsWith(QStringLiteral("Can't read the folder ")));
    dialog.SetFolder(QString::fromStdString(dir.Path().string()));
    WaitForLoading(dialog);
    EXPECT_EQ(dialog.StatusLabel()->text(), QString::fromLatin1(kLogbookEmpty));
}

}  // namespace
}  // namespace tavix
