// The main window wired to the logger session and the record document: Open
// Device and Upload on the demo device end with the last flight on the record
// page, and a record file that is refused leaves the window as it was.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "DemoWindow.h"
#include "UiTestSupport.h"
#include "core/records/RecordTestData.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerMessages.h"
#include "platform/SerialBackendFactory.h"
#include "plot/CurveModel.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"
#include "records/RecordEdits.h"
#include "shell/ShellMessages.h"
#include "sim/SimDevice.h"
#include "ui/app/AppRoot.h"
#include "ui/plot/RecordPage.h"
#include "ui/shell/CMainFrame.h"
#include "ui/shell/CTavixApp.h"
#include "ui/shell/CTavixView.h"

namespace tavix {
namespace {

using AppRootTest = test::DemoWindowTest;

TEST_F(AppRootTest, UploadEndsWithTheLastFlightOnTheRecordPage) {
    CTavixView* view = Start();
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->UploadButton()->isEnabled());

    QTest::mouseClick(view->OpenDeviceButton(), Qt::LeftButton);
    // The wait for the answer is said, and over once it came.
    const auto status = [this] { return app.MainFrame()->PaneText(0); };
    EXPECT_EQ(status(), QString::fromLatin1(kStatusIdentifying));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->IsConnected(); }, kWaitMs));
    EXPECT_EQ(status(), QString::fromLatin1(kStatusReady));
    for (int tab = 0; tab < kTabCount; ++tab) {
        EXPECT_TRUE(view->IsTabEnabled(tab)) << tab;
    }
    EXPECT_TRUE(view->UploadButton()->isEnabled());
    EXPECT_EQ(view->VersionText(), QStringLiteral("TVKA20141L400312"));
    EXPECT_FALSE(view->DescriptionText().isEmpty());

    ASSERT_TRUE(view->SelectTab(kTabRecord));
    view->SetNoteText(QStringLiteral("club field"));
    QTest::mouseClick(view->UploadButton(), Qt::LeftButton);
    const QString last = dir.File(QStringLiteral("2014-3-7_3.dat"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return app.MainFrame()->DocumentPath() == last && !binding->Link().State().busy; },
        kWaitMs))
        << prompt.Last();

    // Four flights, one too short: three files, the last one is the document.
    for (const char* name : {"2014-3-7_1.dat", "2014-3-7_2.dat", "2014-3-7_3.dat"}) {
        EXPECT_TRUE(QFile::exists(dir.File(QString::fromLatin1(name)))) << name;
    }
    ASSERT_EQ(prompt.Texts().size(), 2u);
    EXPECT_EQ(prompt.Texts()[0].rfind(kMsgConfirmUpload, 0), 0u);
    EXPECT_NE(prompt.Texts()[0].find("Note: club field"), std::string::npos);
    EXPECT_EQ(prompt.Texts()[1], binding->Link().State().summary);
    EXPECT_EQ(view->CurrentTab(), kTabRecord);
    EXPECT_EQ(view->NoteText(), QStringLiteral("club field"));
    // The curves of the last flight are drawn and its statistics filled.
    EXPECT_TRUE(view->RecordView()->Model().View().RecordPresent());
    // On the record page the chart can be saved as an image.
    EXPECT_TRUE(app.MainFrame()->Action(QStringLiteral("actionSaveJpg"))->isEnabled());
    EXPECT_EQ(view->RecordView()->StatisticLabel(RecordPage::kStatSamplingRate)->text(),
              QString::number(app.Document().Record().header.rate));
    EXPECT_TRUE(app.Document().Record().dataLoaded);
}

TEST_F(AppRootTest, ARefusedRecordFileLeavesTheWindowAsItWas) {
    CTavixView* view = Start();
    ASSERT_NE(view, nullptr);
    dir.Write(QStringLiteral("short.dat"), QByteArray(100, '\0'));
    EXPECT_FALSE(app.MainFrame()->OpenRecordFile(dir.File(QStringLiteral("short.dat"))));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.Last().find("is too short"), std::string::npos) << prompt.Last();
    EXPECT_EQ(view->CurrentTab(), kTabWelcome);
    EXPECT_FALSE(view->IsTabEnabled(kTabRecord));
    EXPECT_FALSE(app.Document().Record().dataLoaded);
    EXPECT_TRUE(app.MainFrame()->DocumentPath().isEmpty());
}

// A record of the demo device's hardware with plausible samples; `bad` puts
// one sample no logger writes into the current.
QByteArray RecordBytes(const std::string& note, bool bad = false) {
    auto record = test::MakeRecord(5, 100);
    SetFixedText(record->header.note, note);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        record->raw[ch].fill(100 + ch);
    }
    if (bad) {
        record->raw[kCurrent][40] = -715827882;
    }
    const std::string bytes = EncodeRecordFile(*record);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string NoteInFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    auto record = std::make_unique<FlightRecord>();
    (void)DecodeRecordFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), *record,
        "record");
    return FixedText(record->header.note);
}

TEST_F(AppRootTest, UploadingAgainListsWhatIsStoredAndWritesOnlyTheNewFlight) {
    CTavixView* view = Start();
    ASSERT_NE(view, nullptr);
    QTest::mouseClick(view->OpenDeviceButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->IsConnected(); }, kWaitMs));
    ASSERT_TRUE(view->SelectTab(kTabRecord));
    auto upload = [&] {
        QTest::mouseClick(view->UploadButton(), Qt::LeftButton);
        return QTest::qWaitFor([&] { return flightLists > 0 && !binding->Link().State().busy; },
                               kWaitMs);
    };
    ASSERT_TRUE(upload()) << prompt.Last();
    ASSERT_TRUE(QFile::exists(dir.File(QStringLiteral("2014-3-7_3.dat"))));

    // Flown once more: the list shows the stored flights without a tick, the
    // new one ticked, and its pack field takes this flight's pack.
    ASSERT_TRUE(device->AppendFlight(300));
    flightLists = 0;
    std::vector<bool> checkable;
    QString storedText;
    onFlightList = [&](CFlightListDlg& list) {
        QTableWidget* table = list.Table();
        for (int row = 0; row < table->rowCount(); ++row) {
            checkable.push_back(table->item(row, CFlightListDlg::Tick)->flags() &
                                Qt::ItemIsUserCheckable);
        }
        storedText = table->item(0, CFlightListDlg::Status)->text();
        EXPECT_EQ(list.Ticked(), std::vector<int>{5});
        table->item(4, CFlightListDlg::Pack)->setText(QStringLiteral("Blue 4S"));
    };
    ASSERT_TRUE(upload()) << prompt.Last();
    EXPECT_EQ(checkable, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(storedText.startsWith(QStringLiteral("already stored: ")))
        << storedText.toStdString();
    const QString fourth = dir.File(QStringLiteral("2014-3-7_4.dat"));
    ASSERT_TRUE(QFile::exists(fourth));
    EXPECT_FALSE(QFile::exists(dir.File(QStringLiteral("2014-3-7_5.dat"))));
    EXPECT_EQ(NoteInFile(fourth).rfind("Pack: Blue 4S", 0), 0u) << NoteInFile(fourth);
    EXPECT_NE(binding->Link().State().summary.find("1 new, 3 already stored in "),
              std::string::npos)
        << binding->Link().State().summary;
}

TEST_F(AppRootTest, AnEditedNoteIsOfferedForSavingBeforeTheRecordIsLeft) {
    ASSERT_NE(Start(), nullptr);
    CMainFrame* frame = app.MainFrame();
    const QString a = dir.File(QStringLiteral("a.dat"));
    const QString b = dir.File(QStringLiteral("b.dat"));
    dir.Write(QStringLiteral("a.dat"), RecordBytes("calm"));
    dir.Write(QStringLiteral("b.dat"), RecordBytes("windy"));
    ASSERT_TRUE(frame->OpenRecordFile(a));
    const QString title = frame->windowTitle();

    std::vector<SaveAnswer> answers;
    std::vector<std::string> asked;
    binding->Records().askSave = [&](const std::string& text) {
        asked.push_back(text);
        const SaveAnswer answer = answers.at(0);
        answers.erase(answers.begin());
        return answer;
    };
    view->NoteBox()->setPlainText(QStringLiteral("gusty"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("*") + title);

    // Cancel: the other record stays closed, and the window open, with the edit.
    answers = {SaveAnswer::Cancel, SaveAnswer::Cancel};
    EXPECT_FALSE(frame->OpenRecordFile(b));
    frame->ExitWithoutQuestion();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->DocumentPath(), a);
    EXPECT_EQ(view->NoteText(), QStringLiteral("gusty"));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "The note of a.dat was changed.\nDo you want to save the changes?");

    // Save: the note goes into the file, then the other record opens.
    answers = {SaveAnswer::Save};
    EXPECT_TRUE(frame->OpenRecordFile(b));
    EXPECT_EQ(NoteInFile(a), "gusty");
    EXPECT_EQ(frame->DocumentPath(), b);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("b.dat") + QString::fromLatin1(kTitleSuffix));

    // Discard: File > Exit closes and the file keeps its note.
    view->NoteBox()->setPlainText(QStringLiteral("typed, then dropped"));
    answers = {SaveAnswer::Discard};
    frame->ExitWithoutQuestion();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(NoteInFile(b), "windy");
    EXPECT_EQ(asked.size(), 4u);
}

TEST_F(AppRootTest, ARecordThatCannotBeRightOpensWithAWarning) {
    ASSERT_NE(Start(), nullptr);
    dir.Write(QStringLiteral("bad.dat"), RecordBytes("", true));
    ASSERT_TRUE(app.MainFrame()->OpenRecordFile(dir.File(QStringLiteral("bad.dat"))));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Exclamation);
    EXPECT_NE(prompt.Last().find("Current(A) at sample 41"), std::string::npos) << prompt.Last();
    EXPECT_TRUE(app.Document().Record().dataLoaded);
}

TEST_F(AppRootTest, AGearRateTypedOverARecordIsSaidToBeForTheNextUpload) {
    ASSERT_NE(Start(), nullptr);
    dir.Write(QStringLiteral("a.dat"), RecordBytes("calm"));  // gear rate 2.5, 14 poles
    ASSERT_TRUE(app.MainFrame()->OpenRecordFile(dir.File(QStringLiteral("a.dat"))));
    QLabel* hint = binding->Records().GearHintLabel();
    EXPECT_TRUE(hint->isHidden());
    QLineEdit* gear = view->GearRateEdit();
    gear->selectAll();
    QTest::keyClicks(gear, QStringLiteral("3.5"));
    EXPECT_FALSE(hint->isHidden());
    EXPECT_EQ(hint->text().toStdString(), GearHint(true, 2.5f, 14, 3.5f, 14));
    gear->selectAll();
    QTest::keyClicks(gear, QStringLiteral("2.5"));
    EXPECT_TRUE(hint->isHidden());
}

}  // namespace
}  // namespace tavix
