#include "ui/shell/StatusPanes.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

#include "shell/ShellTexts.h"
#include "shell/StatusClock.h"
#include "ui/shell/KeyLockState.h"

namespace tavix {

StatusPanes::StatusPanes(QStatusBar& bar, const Clock& clock, QObject* parent)
    : QObject(parent), clock_(clock) {
    for (int i = 0; i < kPaneCount; ++i) {
        panes_[i] = new QLabel(&bar);
        panes_[i]->setObjectName(QStringLiteral("pane%1").arg(i));
        if (i > 0) {
            panes_[i]->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            panes_[i]->setAlignment(Qt::AlignCenter);
        }
    }
    panes_[kStatusPane]->setText(QString::fromLatin1(kStatusReady));
    const QFontMetrics metrics(panes_[kVersionPane]->font());
    panes_[kVersionPane]->setMinimumWidth(metrics.horizontalAdvance(QString(18, QLatin1Char('W'))));
    panes_[kClockPane]->setText(QString::fromLatin1(kClockInitial));
    panes_[kClockPane]->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral(" 00:00:00 ")));
    panes_[kCapsPane]->setText(QString::fromLatin1(kPaneCaps));
    panes_[kNumPane]->setText(QString::fromLatin1(kPaneNum));
    panes_[kScrollPane]->setText(QString::fromLatin1(kPaneScroll));
    for (int i = kCapsPane; i <= kScrollPane; ++i) {
        panes_[i]->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral(" SCRL ")));
    }
    bar.addWidget(panes_[kStatusPane], 1);
    for (int i = 1; i < kPaneCount; ++i) {
        bar.addPermanentWidget(panes_[i]);
    }
    OnClockTick();
    timer_.setInterval(kClockPeriodMs);
    connect(&timer_, &QTimer::timeout, this, &StatusPanes::OnClockTick);
    timer_.start();
}

void StatusPanes::SetText(int pane, const QString& text) {
    if (pane >= 0 && pane < kPaneCount) {
        panes_[pane]->setText(text);
    }
}

QString StatusPanes::Text(int pane) const {
    return pane >= 0 && pane < kPaneCount ? panes_[pane]->text() : QString();
}

void StatusPanes::OnClockTick() {
    panes_[kClockPane]->setText(QString::fromStdString(FormatClock(clock_.LocalNow())));
    const KeyLocks locks = QueryKeyLocks();
    panes_[kCapsPane]->setEnabled(locks.known && locks.caps);
    panes_[kNumPane]->setEnabled(locks.known && locks.num);
    panes_[kScrollPane]->setEnabled(locks.known && locks.scroll);
}

}  // namespace tavix
