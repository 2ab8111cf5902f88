#include "ui/analysis/EventLimitsDlg.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

#include "platform/UiLanguage.h"
#include "records/AnalysisLimits.h"

namespace tavix {

namespace {

QDoubleSpinBox* Box(QWidget* parent, double low, double high, double step, double value,
                    const char* suffix, const char* name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setDecimals(2);
    box->setSingleStep(step);
    box->setValue(value);
    box->setSuffix(ShownText(suffix));
    return box;
}

}  // namespace

std::optional<EventLimits> AskEventLimits(QWidget* parent, const EventLimits& current) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("eventLimitsDlg"));
    dialog.setWindowTitle(ShownText(kEventLimitsTitle));
    auto* cell = Box(&dialog, kCellMinLow, kCellMinHigh, 0.05, current.cellMin, " V", "cellMin");
    auto* temp = Box(&dialog, kTempMaxLow, kTempMaxHigh, 1.0, current.tempMax, " C", "tempMax");
    auto* amps = Box(&dialog, 0.0, kCurrentMaxHigh, 1.0, current.currentMax, " A", "currentMax");
    amps->setSpecialValueText(QObject::tr("bursts"));
    amps->setToolTip(
        QObject::tr("0 (\"bursts\"): a burst of at most 1 s above 1.5 x the flight's typical "
                    "high current"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(QObject::tr("Lowest voltage per &cell:"), cell);
    form->addRow(QObject::tr("Highest &temperature:"), temp);
    form->addRow(QObject::tr("Highest c&urrent:"), amps);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    EventLimits limits;
    limits.cellMin = cell->value();
    limits.tempMax = temp->value();
    limits.currentMax = amps->value();
    return limits;
}

}  // namespace tavix
