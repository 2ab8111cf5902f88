// The small windows: COM port choice, transfer progress, welcome picture, about box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "UiTestSupport.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "fakes/FakePrompt.h"
#include "ui/link/CComConfigDlg.h"
#include "ui/logger/CMyProgressDlg.h"
#include "ui/shell/CAboutDlg.h"
#include "ui/shell/CWelcomeDlg.h"

namespace tavix {
namespace {

// --- COM port ---------------------------------------------------------

class ComConfigDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write(QStringLiteral("config.ini"), test::kMinimalConfig);
        ini.SetFilePath(dir.File(QStringLiteral("config.ini")).toStdString());
        ini.Load();
        config.comPort = 3;
    }
    int PortInFile() {
        CIniFile fresh;
        fresh.SetFilePath(ini.FilePath());
        fresh.Load();
        return fresh.GetInt("communicateset", "port");
    }

    test::ScratchDir dir;
    CIniFile ini;
    CAppConfig config;
};

TEST_F(ComConfigDlgTest, OpensOnTheStoredPortWithApplyDisabled) {
    CComConfigDlg dlg(config, ini);
    ASSERT_EQ(dlg.PortList()->count(), 16);
    EXPECT_EQ(dlg.PortList()->itemText(0), QStringLiteral("COM 1"));
    EXPECT_EQ(dlg.PortList()->itemText(15), QStringLiteral("COM 16"));
    EXPECT_EQ(dlg.PortList()->currentText(), QStringLiteral("COM 3"));
    EXPECT_FALSE(dlg.ApplyButton()->isEnabled());
    EXPECT_TRUE(dlg.OkButton()->isDefault());
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Com Port Setting"));
    // What COM 3 means here is shown beside the list.
    EXPECT_TRUE(dlg.DeviceLabel()->text().contains(QStringLiteral("/dev/ttyUSB2")))
        << dlg.DeviceLabel()->text().toStdString();
}

TEST_F(ComConfigDlgTest, ApplyThenCancelKeepsTheAppliedPort) {
    CComConfigDlg dlg(config, ini);
    dlg.show();
    QSignalSpy stored(&dlg, &CComConfigDlg::portStored);
    dlg.PortList()->setFocus();
    QTest::keyClick(dlg.PortList(), Qt::Key_Down);  // COM 4
    EXPECT_TRUE(dlg.ApplyButton()->isEnabled());
    EXPECT_EQ(config.comPort, 3);  // nothing stored before Apply
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    EXPECT_FALSE(dlg.ApplyButton()->isEnabled());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(config.comPort, 4);
    EXPECT_EQ(PortInFile(), 4);
    QTest::mouseClick(dlg.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(config.comPort, 4);
    EXPECT_EQ(PortInFile(), 4);
    EXPECT_EQ(stored.count(), 1);
}

TEST_F(ComConfigDlgTest, OkWritesTheChosenPortAndCloses) {
    CComConfigDlg dlg(config, ini);
    dlg.show();
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);  // untouched: the same port again
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(PortInFile(), 3);
    const QByteArray before = dir.Read(QStringLiteral("config.ini"));
    EXPECT_TRUE(before.contains("[gearrate]"));  // the rest of the file kept
}

TEST_F(ComConfigDlgTest, AFailedSaveIsShownWhicheverButtonWasUsed) {
    // config.ini whose line 5 is too long: it is never written back, and the
    // user hears so once, with the file and the line.
    const QByteArray original = QByteArray(test::kMinimalConfig) +
                                "description=" + QByteArray(3000, 'd') + "\r\n[tail]\r\nkept=1\r\n";
    dir.Write(QStringLiteral("config.ini"), original);
    CIniFile partial;
    partial.SetFilePath(ini.FilePath());
    ASSERT_TRUE(partial.Load());
    test::FakePrompt prompt;
    {
        CComConfigDlg dlg(config, partial);
        dlg.SetPrompt(prompt);
        dlg.show();
        QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text,
              "config.ini could not be written: COM 3 holds until Tavix closes.");
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Exclamation);
    EXPECT_NE(prompt.shown[0].detail.find("line 14"), std::string::npos) << prompt.shown[0].detail;
    EXPECT_EQ(dir.Read(QStringLiteral("config.ini")), original);
    {
        CComConfigDlg again(config, partial);
        again.SetPrompt(prompt);
        again.show();
        QTest::mouseClick(again.OkButton(), Qt::LeftButton);
    }
    EXPECT_EQ(prompt.shown.size(), 1u);  // told once

    // A save that cannot be written is shown each time, Ok or Apply.
    ini.SetFilePath(dir.File(QStringLiteral("missing/config.ini")).toStdString());
    CComConfigDlg dlg(config, ini);
    dlg.SetPrompt(prompt);
    dlg.show();
    dlg.PortList()->setFocus();
    QTest::keyClick(dlg.PortList(), Qt::Key_Down);
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    ASSERT_EQ(prompt.shown.size(), 3u);
    EXPECT_NE(prompt.shown[2].detail.find("missing/config.ini"), std::string::npos);
    EXPECT_EQ(config.comPort, 4);
}

TEST_F(ComConfigDlgTest, StoredPortOutsideTheListIsKept) {
    config.comPort = 0;
    CComConfigDlg dlg(config, ini);
    EXPECT_EQ(dlg.PortList()->currentIndex(), -1);
    dlg.show();
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_EQ(config.comPort, 0);
    EXPECT_EQ(PortInFile(), 3);  // not overwritten with port 0
}

// The ports present: listed with what the adapter tells, the one in use
// marked, refreshed as adapters come and go; choosing one stores its path.
TEST_F(ComConfigDlgTest, PortsPresentAreListedRefreshedAndStoredByPath) {
    std::vector<SerialPortEntry> machine;
    SerialPortEntry acm;
    acm.path = "/dev/serial/by-id/usb-Tavix_Logger-if00";
    acm.device = "/dev/ttyACM0";
    acm.description = "Logger";
    acm.manufacturer = "Tavix";
    acm.vendorId = 0x0483;
    acm.productId = 0x5740;
    acm.serialNumber = "A1";
    machine.push_back(acm);
    CComConfigDlg dlg(config, ini);
    dlg.SetPortLister([&machine, &acm](const std::string& current) {
        return ArrangePorts(machine, {{acm.path, acm.device}}, current, false);
    });
    dlg.show();
    QTreeWidget* list = dlg.PresentPorts();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    const QTreeWidgetItem* row = list->topLevelItem(0);
    EXPECT_EQ(row->text(0), QString::fromStdString(acm.path));
    EXPECT_EQ(row->text(1), QStringLiteral("Logger"));
    EXPECT_EQ(row->text(2), QStringLiteral("Tavix"));
    EXPECT_EQ(row->text(3), QStringLiteral("0483:5740"));
    EXPECT_EQ(row->text(4), QStringLiteral("A1"));
    EXPECT_FALSE(row->font(0).bold());  // COM 3 is /dev/ttyUSB2, not this one

    // Plugged in while the window is open: the next look lists it too.
    SerialPortEntry usb;
    usb.path = usb.device = "/dev/ttyUSB2";
    machine.push_back(usb);
    QTest::qWait(CComConfigDlg::kRefreshMs + 300);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_TRUE(list->topLevelItem(1)->font(0).bold());  // in use: COM 3

    // Choosing the stable name stores it beyond COM 16; COM 1-16 stay as they were.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(0)).center());
    EXPECT_EQ(dlg.Choice().SelectedPath(), acm.path);
    EXPECT_EQ(dlg.PortList()->currentIndex(), -1);
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    EXPECT_EQ(config.comPort, 17);
    EXPECT_EQ(PortInFile(), 17);
    CIniFile fresh;
    fresh.SetFilePath(ini.FilePath());
    fresh.Load();
    EXPECT_EQ(fresh.GetText("communicateset", "com17"), acm.path);
    EXPECT_TRUE(list->topLevelItem(0)->font(0).bold());  // now the one in use

    // Unplugged: gone from the list, and a list with nothing says so.
    machine.clear();
    dlg.RefreshPorts();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_TRUE(list->topLevelItem(0)->text(0).contains(QStringLiteral("No serial ports")));
    // COM 1-16 are still there to choose.
    EXPECT_EQ(dlg.PortList()->count(), 16);
}

TEST_F(ComConfigDlgTest, DiagnoseShowsTheReportOnTheChosenPort) {
    std::vector<std::string> asked;
    CComConfigDlg dlg(config, ini);
    dlg.SetDiagnoser([&asked](const std::string& port) {
        asked.push_back(port);
        PortReport report;
        report.found = true;
        report.blocked = true;
        report.lines = {{"Held by:", MessageParts("process %s (%s)", {"1234", "minicom"})}};
        return report;
    });
    dlg.show();
    QTest::mouseClick(dlg.DiagnoseButton(), Qt::LeftButton);
    EXPECT_EQ(asked, std::vector<std::string>{"/dev/ttyUSB2"});  // COM 3
    ASSERT_NE(dlg.ReportWindow(), nullptr);
    EXPECT_TRUE(dlg.ReportWindow()->isVisible());
    const auto* text = dlg.ReportWindow()->findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("process 1234 (minicom)")));
    dlg.ReportWindow()->reject();
}

// --- transfer progress -------------------------------------------------

TransferState Transfer(std::uint16_t total) {
    TransferState s;
    s.running = true;
    s.start = 64;
    s.current = 64;
    s.total = total;
    return s;
}

TEST(ProgressDlg, EscapeCancelsAndEnterConfirms) {
    TransferState state = Transfer(4096);
    CMyProgressDlg esc(state);
    QSignalSpy escFinished(&esc, &CMyProgressDlg::transferFinished);
    esc.start();
    QTest::keyClick(&esc, Qt::Key_Escape);
    ASSERT_EQ(escFinished.count(), 1);
    EXPECT_FALSE(escFinished.at(0).at(0).toBool());
    EXPECT_EQ(esc.result(), UploadProgress::Result::Cancel);
    EXPECT_FALSE(esc.isVisible());
    EXPECT_FALSE(esc.polling());

    // The Cancel button beside the hint does what Esc does.
    CMyProgressDlg click(state);
    QSignalSpy clickFinished(&click, &CMyProgressDlg::transferFinished);
    click.start();
    QTest::mouseClick(click.CancelButton(), Qt::LeftButton);
    ASSERT_EQ(clickFinished.count(), 1);
    EXPECT_EQ(click.result(), UploadProgress::Result::Cancel);

    CMyProgressDlg enter(state);
    QSignalSpy enterFinished(&enter, &CMyProgressDlg::transferFinished);
    enter.start();
    QTest::keyClick(&enter, Qt::Key_Return);
    ASSERT_EQ(enterFinished.count(), 1);
    EXPECT_TRUE(enterFinished.at(0).at(0).toBool());
    // Once ended, further keys change nothing.
    QTest::keyClick(&enter, Qt::Key_Escape);
    EXPECT_EQ(enterFinished.count(), 1);
}

TEST(ProgressDlg, PollsTheTransferUntilItEnds) {
    TransferState state = Transfer(2048);
    CMyProgressDlg dlg(state);
    QSignalSpy finished(&dlg, &CMyProgressDlg::transferFinished);
    dlg.start();
    EXPECT_TRUE(dlg.polling());
    state.current = 64 + 1024;
    QTRY_COMPARE_WITH_TIMEOUT(dlg.barValue(), 49, 2000);
    EXPECT_TRUE(dlg.detailText().startsWith(QStringLiteral("1.0 of 2.0 KB")))
        << dlg.detailText().toStdString();
    state.completion = true;
    ASSERT_TRUE(finished.wait(2000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_FALSE(dlg.isVisible());
}

TEST(ProgressDlg, NoDataEndsWithCancelAndClearsTheFlag) {
    TransferState state = Transfer(0);
    CMyProgressDlg dlg(state);
    dlg.poll();
    EXPECT_EQ(dlg.result(), UploadProgress::Result::Running);
    EXPECT_EQ(dlg.barValue(), 0);
    state.noData = true;
    dlg.poll();
    EXPECT_EQ(dlg.result(), UploadProgress::Result::Cancel);
    EXPECT_FALSE(state.noData);
}

// --- welcome page ------------------------------------------------------

QImage Render(QWidget* widget) {
    QImage image(widget->size(), QImage::Format_ARGB32);
    image.fill(Qt::magenta);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

TEST(WelcomeDlg, PictureIsDrawnUnscaledAndCutAtTheEdges) {
    test::ScratchDir dir;
    QImage picture(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        }
    }
    QDir().mkpath(dir.File(QStringLiteral("res")));
    ASSERT_TRUE(picture.save(dir.File(QStringLiteral("res/home.bmp")), "BMP"));

    CWelcomeDlg page;  // reads res/home.bmp from the working directory
    ASSERT_FALSE(page.HomeImage().isNull());
    QWidget* area = page.Picture();
    area->resize(120, 80);  // smaller than the picture: cut right and bottom
    const QImage shot = Render(area);
    EXPECT_EQ(shot.pixel(0, 1), picture.pixel(0, 0));
    EXPECT_EQ(shot.pixel(119, 79), picture.pixel(119, 78));
    EXPECT_EQ(shot.pixel(50, 40), picture.pixel(50, 39));
}

TEST(WelcomeDlg, WithoutAPictureHereTheInstalledOneGreets) {
    test::ScratchDir dir;
    const QString path = HomeImagePath();
    EXPECT_FALSE(path.startsWith(QStringLiteral("res/"))) << path.toStdString();
    EXPECT_FALSE(CWelcomeDlg(nullptr, path).HomeImage().isNull()) << path.toStdString();
}

TEST(WelcomeDlg, MissingPictureLeavesTheAreaEmpty) {
    test::ScratchDir dir;
    CWelcomeDlg page(nullptr, dir.File(QStringLiteral("res/home.bmp")));
    EXPECT_TRUE(page.HomeImage().isNull());
    QWidget* area = page.Picture();
    area->resize(100, 60);
    const QImage shot = Render(area);
    // Only the page's own background: every pixel the same.
    const QRgb first = shot.pixel(0, 0);
    bool uniform = true;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            uniform = uniform && shot.pixel(x, y) == first;
        }
    }
    EXPECT_TRUE(uniform);
}

TEST(AboutDlg, ShowsTheVersion) {
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Tavix"));
    auto* version = about.findChild<QLabel*>(QStringLiteral("aboutVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("Tavix Version 4.0"));
}

}  // namespace
}  // namespace tavix
