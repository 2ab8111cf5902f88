// The main form: the tab strip and its rules, what each page shows around
// it, the device buttons, the user parameters.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <limits>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "platform/GbkText.h"
#include "records/CTavixDoc.h"
#include "shell/ShellMessages.h"
#include "ui/shell/CQTabCtrl.h"
#include "ui/shell/CTavixView.h"
#include "ui/shell/CWelcomeDlg.h"

namespace tavix {
namespace {

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override { MakeView(); }

    void MakeView() {
        view.reset();
        view = std::make_unique<CTavixView>(config, doc.Current(), ini);
        view->resize(800, 520);
        view->show();
        QApplication::processEvents();
    }
    QTabBar* Strip() const { return view->Tabs()->tabBar(); }
    void ClickTab(int tab) {
        QTest::mouseClick(Strip(), Qt::LeftButton, {}, Strip()->tabRect(tab).center());
    }

    CIniFile ini;
    CAppConfig config;
    CTavixDoc doc{config, ini};
    std::unique_ptr<CTavixView> view;
};

TEST_F(MainFormTest, StartsOnTheWelcomePageWithOnlyItEnabled) {
    ASSERT_EQ(view->Tabs()->count(), kTabCount);
    for (int tab = 0; tab < kTabCount; ++tab) {
        EXPECT_EQ(view->Tabs()->tabText(tab), QString::fromLatin1(kTabCaptions[tab]));
        EXPECT_EQ(view->IsTabEnabled(tab), tab == kTabWelcome) << tab;
    }
    EXPECT_EQ(view->CurrentTab(), kTabWelcome);
    EXPECT_TRUE(view->DescriptionBox()->isVisible());
    EXPECT_FALSE(view->NoteBox()->isVisible());
    EXPECT_FALSE(view->UploadButton()->isEnabled());
    EXPECT_FALSE(view->ClearButton()->isVisible());
    EXPECT_FALSE(view->IsConnected());
    EXPECT_TRUE(view->ExitButton()->isDefault());
}

TEST_F(MainFormTest, ClickOnADisabledTabIsRefused) {
    QSignalSpy shown(view.get(), &CTavixView::pageShown);
    for (int tab = 1; tab < kTabCount; ++tab) {
        ClickTab(tab);
        EXPECT_EQ(view->CurrentTab(), kTabWelcome) << tab;
    }
    EXPECT_TRUE(view->WelcomePage()->isVisible());
    EXPECT_EQ(shown.count(), 0);

    view->SetTabEnabled(kTabLogger, true);
    ClickTab(kTabLogger);
    EXPECT_EQ(view->CurrentTab(), kTabLogger);
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(0).toInt(), kTabLogger);
}

TEST_F(MainFormTest, ArrowKeysSkipDisabledTabs) {
    // An ESC without a logger: welcome, parameters and upgrade.
    view->SetTabsEnabled({true, true, false, false, true});
    view->SelectTab(kTabParameter);
    Strip()->setFocus();
    QTest::keyClick(Strip(), Qt::Key_Right);
    EXPECT_EQ(view->CurrentTab(), kTabUpgrade);
    QTest::keyClick(Strip(), Qt::Key_Right);
    EXPECT_EQ(view->CurrentTab(), kTabUpgrade);
    QTest::keyClick(Strip(), Qt::Key_Left);
    EXPECT_EQ(view->CurrentTab(), kTabParameter);
    QTest::keyClick(Strip(), Qt::Key_Left);
    QTest::keyClick(Strip(), Qt::Key_Left);
    EXPECT_EQ(view->CurrentTab(), kTabWelcome);
}

TEST_F(MainFormTest, SelectingADisabledTabKeepsThePreviousPage) {
    view->SetTabsEnabled({true, true, true, true, true});
    view->SelectTab(kTabLogger);
    view->SetTabEnabled(kTabRecord, false);
    QSignalSpy hidden(view.get(), &CTavixView::pageHidden);
    EXPECT_FALSE(view->SelectTab(kTabRecord));
    EXPECT_EQ(view->CurrentTab(), kTabLogger);
    EXPECT_TRUE(view->Page(kTabLogger)->isVisible());
    EXPECT_TRUE(view->ClearButton()->isVisible());
    EXPECT_EQ(hidden.count(), 0);
}

TEST_F(MainFormTest, EachPageShowsItsOwnControls) {
    view->SetTabsEnabled({true, true, true, true, true});
    QSignalSpy record(view.get(), &CTavixView::recordShownChanged);
    QSignalSpy hidden(view.get(), &CTavixView::pageHidden);

    view->SelectTab(kTabLogger);
    EXPECT_TRUE(view->ClearButton()->isVisible());
    EXPECT_FALSE(view->DescriptionBox()->isVisible());
    EXPECT_FALSE(view->UserParameterGroup()->isVisible());

    view->SelectTab(kTabRecord);
    EXPECT_FALSE(view->ClearButton()->isVisible());
    EXPECT_TRUE(view->NoteBox()->isVisible());
    EXPECT_TRUE(view->UserParameterGroup()->isVisible());
    EXPECT_TRUE(view->UploadButton()->isVisible());
    EXPECT_TRUE(view->RecordShown());

    view->SelectTab(kTabUpgrade);
    EXPECT_FALSE(view->NoteBox()->isVisible());
    EXPECT_FALSE(view->UploadButton()->isVisible());
    EXPECT_FALSE(view->RecordShown());
    EXPECT_EQ(record.count(), 2);
    ASSERT_EQ(hidden.count(), 3);  // welcome, logger, record, each when left
    EXPECT_EQ(hidden.at(2).at(0).toInt(), kTabRecord);

    view->SelectTab(kTabWelcome);
    EXPECT_TRUE(view->DescriptionBox()->isVisible());
}

TEST_F(MainFormTest, DeviceButtonsSignalAndFollowTheSession) {
    QSignalSpy open(view.get(), &CTavixView::openDeviceRequested);
    QSignalSpy upload(view.get(), &CTavixView::uploadRequested);
    QSignalSpy clear(view.get(), &CTavixView::clearRequested);
    QTest::mouseClick(view->OpenDeviceButton(), Qt::LeftButton);
    EXPECT_EQ(open.count(), 1);

    // As after opening a logger: everything on, buttons live.
    view->SetTabsEnabled({true, true, true, true, true});
    view->SetUploadEnabled(true);
    view->SetClearEnabled(true);
    view->SetConnected(true);
    view->SetSetComPortEnabled(false);
    EXPECT_TRUE(view->IsConnected());
    EXPECT_FALSE(view->SetComPortButton()->isEnabled());
    view->SelectTab(kTabRecord);
    QTest::mouseClick(view->UploadButton(), Qt::LeftButton);
    EXPECT_EQ(upload.count(), 1);
    // Clear Data only acts while the logger page is shown.
    view->ClearButton()->click();
    EXPECT_EQ(clear.count(), 0);
    view->SelectTab(kTabLogger);
    QTest::mouseClick(view->ClearButton(), Qt::LeftButton);
    EXPECT_EQ(clear.count(), 1);
}

TEST_F(MainFormTest, GearRateRoundsWhileTypingUnlessTheTextEndsInPointOrZero) {
    QLineEdit* gear = view->GearRateEdit();
    gear->clear();
    QTest::keyClicks(gear, QStringLiteral("3.456"));
    EXPECT_EQ(gear->text(), QStringLiteral("3.46"));
    EXPECT_FLOAT_EQ(view->GearRate(), 3.46f);

    gear->clear();
    QTest::keyClicks(gear, QStringLiteral("2.50"));
    EXPECT_EQ(gear->text(), QStringLiteral("2.50"));
    EXPECT_FLOAT_EQ(view->GearRate(), 2.5f);

    gear->clear();
    QTest::keyClicks(gear, QStringLiteral("7."));
    EXPECT_EQ(gear->text(), QStringLiteral("7."));
    // Letters never get in.
    QTest::keyClicks(gear, QStringLiteral("x"));
    EXPECT_EQ(gear->text(), QStringLiteral("7."));
    EXPECT_FLOAT_EQ(view->GearRate(), 7.0f);

    QLineEdit* poles = view->PoleNumberEdit();
    poles->clear();
    QTest::keyClicks(poles, QStringLiteral("12"));
    EXPECT_EQ(view->PoleNumber(), 12);
    // Emptied to be retyped: the number stays (0 poles would make every RPM infinite).
    poles->selectAll();
    QTest::keyClick(poles, Qt::Key_Delete);
    EXPECT_TRUE(poles->text().isEmpty());
    EXPECT_EQ(view->PoleNumber(), 12);
    QTest::keyClicks(poles, QStringLiteral("8"));
    EXPECT_EQ(view->PoleNumber(), 8);
}

TEST_F(MainFormTest, ConfiguredGearRateStartsRoundedAndPositive) {
    doc.Record().header.gearRate = 3.14159f;
    doc.Record().header.poles = 14;
    MakeView();
    EXPECT_EQ(view->GearRateEdit()->text(), QStringLiteral("3.14"));
    EXPECT_EQ(view->PoleNumberEdit()->text(), QStringLiteral("14"));

    doc.Record().header.gearRate = 0.0f;
    MakeView();
    EXPECT_FLOAT_EQ(view->GearRate(), 1.0f);
    EXPECT_EQ(view->GearRateEdit()->text(), QStringLiteral("1"));
    EXPECT_FLOAT_EQ(doc.Record().header.gearRate, 1.0f);

    // Neither a number nor a gear rate: the field and the store agree on 1.
    doc.Record().header.gearRate = std::numeric_limits<float>::quiet_NaN();
    MakeView();
    EXPECT_EQ(view->GearRateEdit()->text(), QStringLiteral("1"));
    EXPECT_FLOAT_EQ(doc.Record().header.gearRate, 1.0f);
}

TEST_F(MainFormTest, TextBoxesKeepTheirLimits) {
    view->SetNoteText(QString(600, QLatin1Char('n')));
    EXPECT_EQ(view->NoteText().size(), CTavixView::kNoteMaxBytes);
    view->SetDescriptionText(QString(3000, QLatin1Char('d')));
    EXPECT_EQ(view->DescriptionText().size(), CTavixView::kDescriptionMaxChars);
    EXPECT_TRUE(view->DescriptionBox()->isReadOnly());
}

TEST_F(MainFormTest, NoteFitsItsStoredFieldAndKeepsWhatWasThere) {
    // The note is stored as GBK bytes: a Chinese character takes two.
    const QString wen = QString::fromUtf8("\xE6\x96\x87");
    view->SetNoteText(QString(300, wen[0]));
    EXPECT_EQ(view->NoteText(), QString(256, wen[0]));
    EXPECT_EQ(ToGbk(view->NoteText()).size(), 512u);

    // Text pasted into the middle is cut to what fits; the text after it stays.
    const QString before =
        QStringLiteral("start ") + QString(490, QLatin1Char('x')) + QStringLiteral(" end");
    view->SetNoteText(before);
    QPlainTextEdit* note = view->NoteBox();
    QTextCursor cursor = note->textCursor();
    cursor.setPosition(6);
    note->setTextCursor(cursor);
    QApplication::clipboard()->setText(QString(40, QLatin1Char('p')));
    note->paste();
    const QString after = note->toPlainText();
    EXPECT_EQ(ToGbk(after).size(), 512u);
    EXPECT_TRUE(after.startsWith(QStringLiteral("start ") + QString(12, QLatin1Char('p')) +
                                 QLatin1Char('x')));
    EXPECT_TRUE(after.endsWith(QStringLiteral(" end")));
    // Undo takes the whole paste back, redo brings the part that fitted.
    note->undo();
    EXPECT_EQ(note->toPlainText(), before);
    note->redo();
    EXPECT_EQ(note->toPlainText(), after);
    // Typing on at the limit changes nothing.
    QTest::keyClicks(note, QStringLiteral("yz"));
    EXPECT_EQ(note->toPlainText(), after);
}

TEST_F(MainFormTest, PagesCanBeReplaced) {
    view->SetTabsEnabled({true, true, true, true, true});
    view->SelectTab(kTabLogger);
    auto* page = new QWidget;
    view->SetPage(kTabLogger, page);
    EXPECT_EQ(view->Page(kTabLogger), page);
    EXPECT_EQ(view->Tabs()->widget(kTabLogger), page);
    EXPECT_EQ(view->CurrentTab(), kTabLogger);
    EXPECT_EQ(view->Tabs()->tabText(kTabLogger), QString::fromLatin1(kTabCaptions[kTabLogger]));
    view->SetPage(kTabWelcome, new QWidget(view.get()));  // the welcome page stays
    EXPECT_EQ(view->Page(kTabWelcome), static_cast<QWidget*>(view->WelcomePage()));
}

}  // namespace
}  // namespace tavix
