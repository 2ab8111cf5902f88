// Motor health in the window: flights of one motor uploaded with the model
// typed beside the pack show the motor's figures on the record page, and
// the logbook's "Models" view marks the flight whose magnets weakened.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "DemoWindow.h"
#include "analysis/AnalysisMessages.h"
#include "logger/LoggerLink.h"
#include "sim/LoggerMemory.h"
#include "ui/analysis/FlightSummaryPanel.h"
#include "ui/plot/RecordPage.h"
#include "ui/records/CLogbookDlg.h"
#include "ui/records/ModelsView.h"
#include "ui/records/TrendPlot.h"

namespace tavix {
namespace {

class MotorUiTest : public test::DemoWindowTest {};

TEST_F(MotorUiTest, RecordPageShowsTheMotorAndModelsMarkTheDamagedFlight) {
    device->LoadMemory(sim::MotorMemoryPlan());
    ASSERT_TRUE(StartAndIdentify(kTabRecord) && view->SelectTab(kTabRecord)) << prompt.Last();
    view->PackEdit()->setText(QStringLiteral("Blue"));
    view->ModelEdit()->setText(QStringLiteral(" Wing "));
    QTest::mouseClick(view->UploadButton(), Qt::LeftButton);
    const QString last = dir.File(QStringLiteral("2014-3-7_4.dat"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return app.MainFrame()->DocumentPath() == last && !binding->Link().State().busy; },
        kWaitMs))
        << prompt.Last();
    EXPECT_EQ(FixedText(app.Document().Record().header.note), "Pack: Blue\nModel: Wing");

    // The last flight's motor: Kv 8 % under the 920 of the others.
    const FlightSummaryPanel* motor = view->RecordView()->MotorPanel();
    const QString kv = motor->Value(QString::fromLatin1(kCaptionKv));
    ASSERT_TRUE(kv.endsWith(QStringLiteral(" rpm/V"))) << kv.toStdString();
    EXPECT_NEAR(kv.split(QLatin1Char(' ')).front().toDouble(), 920 * 0.92, 920 * 0.03);
    EXPECT_TRUE(motor->Value(QString::fromLatin1(kCaptionSteady)).endsWith(QStringLiteral(" s")));

    CLogbookDlg logbook(app.Ini(), app.Config().smoothing);
    logbook.SetFolder(dir.Path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !logbook.IsLoading(); }, kWaitMs));
    ASSERT_TRUE(logbook.ModelsButton()->isEnabled());
    QTest::mouseClick(logbook.ModelsButton(), Qt::LeftButton);
    ASSERT_NE(logbook.Models(), nullptr);
    QTableWidget* table = logbook.Models()->Table();
    ASSERT_EQ(table->rowCount(), 4);
    for (int r = 0; r < 4; ++r) {
        const QString alert = table->item(r, table->columnCount() - 1)->text();
        EXPECT_EQ(alert.startsWith(QStringLiteral("Kv down ")), r == 3) << alert.toStdString();
    }
    const std::vector<TrendLine>& lines = logbook.Models()->Plot()->Lines();
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].points.size(), 4u);
    EXPECT_FALSE(lines[0].points[2].marked);
    EXPECT_TRUE(lines[0].points[3].marked);
}

}  // namespace
}  // namespace tavix
