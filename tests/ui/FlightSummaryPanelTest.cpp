// The record page's panel of computed quantities shows core's texts for the
// record it is given, and "-" without one.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <memory>

#include "analysis/AnalysisMessages.h"
#include "flight/Conversion.h"
#include "ui/analysis/FlightSummaryPanel.h"

namespace tavix {
namespace {

TEST(FlightSummaryPanel, ShowsTheRecordsQuantitiesAndNothingWithoutOne) {
    // 10 A at 12 V for 360 s, 5 samples per second.
    auto flight = std::make_unique<FlightData>();
    FlightRecord* record = &flight->record;
    record->header.channels = 5;
    record->header.samples = 1800;
    record->header.rate = 5;
    record->calibration[kVoltage] = {0.1f, 0.0f};
    record->calibration[kCurrent] = {0.5f, 0.0f};
    record->raw[kVoltage].fill(120);
    record->raw[kCurrent].fill(20);
    SmoothRecord(*record, {1, 1, 1, 1, 1, 1, 1, 1}, flight->smoothed);

    FlightSummaryPanel panel;
    const QString none = QString::fromLatin1(kNoValue);
    EXPECT_EQ(panel.Value(QString::fromLatin1(kCaptionCapacity)), none);

    panel.SetRecord(*flight);
    const std::pair<const char*, const char*> shown[] = {
        {kQuantityMaxPower, "120.0 W"}, {kCaptionCapacity, "1000 mAh"},
        {kCaptionEnergy, "12.00 Wh"},   {kCaptionAverageCurrent, "10.0 A"},
        {kCaptionCells, "3S"},          {kCaptionMinCellVoltage, "4.00 V"},
    };
    for (const auto& [caption, value] : shown) {
        EXPECT_EQ(panel.Value(QString::fromLatin1(caption)), QString::fromLatin1(value)) << caption;
    }
    panel.Clear();
    for (const auto& [caption, value] : shown) {
        EXPECT_EQ(panel.Value(QString::fromLatin1(caption)), none) << caption;
    }

    // The record page shows Max.Power with its statistics: the panel there leaves it out.
    FlightSummaryPanel withoutPower(nullptr, 3, kQuantityMaxPower);
    withoutPower.SetRecord(*flight);
    EXPECT_EQ(withoutPower.Value(QString::fromLatin1(kQuantityMaxPower)), QString());
    EXPECT_EQ(withoutPower.Value(QString::fromLatin1(kCaptionCapacity)),
              QStringLiteral("1000 mAh"));
}

TEST(FlightSummaryPanel, ASentenceOnTheLastLineWrapsRatherThanBeingCut) {
    // Figures over a sentence that takes the last line, as the motor's
    // "Steady" does, in a panel as narrow as its figures allow.
    const std::vector<QuantityText> layout{{"Kv", "-"}, {"Rm", "-"}, {"Steady", "-"}};
    FlightSummaryPanel panel(layout, nullptr, 2);
    panel.Show({{"Steady", "2.4 s: not enough steady flight, the throttle never held"}});
    const auto* steady = panel.findChild<QLabel*>(QStringLiteral("Steady"));
    ASSERT_NE(steady, nullptr);
    const int width = panel.minimumSizeHint().width();
    ASSERT_LT(width, steady->fontMetrics().horizontalAdvance(steady->text()));
    panel.resize(width, panel.heightForWidth(width));
    panel.show();
    QCoreApplication::processEvents();
    EXPECT_LE(steady->geometry().right(), panel.width());
    EXPECT_GE(steady->height(), steady->heightForWidth(steady->width()));
    EXPECT_GT(steady->height(), steady->fontMetrics().height());  // two lines or more
}

}  // namespace
}  // namespace tavix
