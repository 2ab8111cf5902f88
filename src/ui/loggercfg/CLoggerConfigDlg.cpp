#include "ui/loggercfg/CLoggerConfigDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "link/DeviceRequest.h"
#include "loggercfg/LoggerCfgMessages.h"
#include "loggercfg/LoggerParamSession.h"
#include "platform/UiLanguage.h"

namespace tavix {

CLoggerConfigDlg::CLoggerConfigDlg(Prompt& prompt, PortSource port, QWidget* parent)
    : SessionPage(parent) {
    auto* group = new QGroupBox(ShownText(kLoggerGroupCaption), this);

    cycle_ = new QComboBox(group);
    for (const char* text : kCycleTexts) {
        cycle_->addItem(ShownText(text));
    }
    rate_ = new QComboBox(group);
    for (const SamplingRate& rate : kSamplingRates) {
        rate_->addItem(ShownText(rate.text));
    }
    flights_ = new QLineEdit(group);
    flights_->setReadOnly(true);
    flights_->setFocusPolicy(Qt::TabFocus);
    // Read only, and looking it: the window's colour instead of a field's white.
    QPalette readOnly = flights_->palette();
    readOnly.setColor(QPalette::Base, readOnly.color(QPalette::Window));
    flights_->setPalette(readOnly);
    progress_ = new QProgressBar(group);
    progress_->setRange(0, kActivityMax);
    progress_->setTextVisible(false);
    default_ = new QPushButton(ShownText(kBtnLoggerDefault), group);
    update_ = new QPushButton(ShownText(kBtnLoggerUpdate), group);
    for (QWidget* w : {static_cast<QWidget*>(cycle_), static_cast<QWidget*>(rate_),
                       static_cast<QWidget*>(flights_), static_cast<QWidget*>(progress_)}) {
        w->setMinimumWidth(160);
    }

    auto* form = new QFormLayout();
    form->addRow(ShownText(kLabelCycleRecord), cycle_);
    form->addRow(ShownText(kLabelSamplingRate), rate_);
    form->addRow(ShownText(kLabelFlightTimes), flights_);
    form->addRow(ShownText(kLabelLoggerStatus), progress_);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(default_);
    buttons->addWidget(update_);
    auto* inner = new QVBoxLayout(group);
    inner->addLayout(form);
    inner->addSpacing(8);
    inner->addLayout(buttons);

    // The group sits in the middle of the page, as the dialog is centred on its tab.
    auto* outer = new QVBoxLayout(this);
    outer->addStretch(1);
    outer->addWidget(group, 0, Qt::AlignHCenter);
    outer->addStretch(2);

    session_ = std::make_unique<LoggerParamSession>(Comm(), Timers(), prompt, std::move(port));
    session_->changed = [this] { Refresh(); };
    connect(cycle_, &QComboBox::activated, this,
            [this](int index) { session_->OnCycleSelected(index); });
    connect(rate_, &QComboBox::activated, this,
            [this](int index) { session_->OnRateSelected(index); });
    connect(default_, &QPushButton::clicked, this, [this] { session_->OnDefault(); });
    connect(update_, &QPushButton::clicked, this, [this] { session_->OnUpdate(); });
    Refresh();
}

CLoggerConfigDlg::~CLoggerConfigDlg() = default;

void CLoggerConfigDlg::PageShown() {
    session_->OnShow(true);
}

void CLoggerConfigDlg::PageHidden() {
    session_->OnHide();
}

void CLoggerConfigDlg::LendPort() {
    session_->OnLendPort();
}

void CLoggerConfigDlg::PortReturned() {
    session_->OnPortReturned();
}

void CLoggerConfigDlg::Refresh() {
    const LoggerParamState& s = session_->State();
    {
        const QSignalBlocker blockCycle(cycle_);
        const QSignalBlocker blockRate(rate_);
        cycle_->setCurrentIndex(s.cycleIndex);
        rate_->setCurrentIndex(s.rateIndex);
    }
    flights_->setText(QString::number(s.flightCount));
    progress_->setValue(s.progress);
    // Buttons work only while the page has been shown its port; "Open Device
    // ..." takes the port from every page, also from this one on screen.
    default_->setEnabled(s.visible);
    update_->setEnabled(s.visible && s.updateEnabled);
}

}  // namespace tavix
