#include "ui/shell/StatusPanes.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

#include "platform/KeyLockState.h"
#include "platform/UiLanguage.h"
#include "shell/ShellMessages.h"
#include "shell/StatusClock.h"

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
    panes_[kStatusPane]->setText(ShownText(kStatusReady));
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
    // The status pane takes the room left and shows what fits of its text,
    // never widening the window for it.
    panes_[kStatusPane]->setMinimumWidth(1);
    panes_[kStatusPane]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    panes_[kStatusPane]->installEventFilter(this);
    status_ = panes_[kStatusPane]->text();
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
    if (pane == kStatusPane) {
        status_ = text;
        FitStatus();
    } else if (pane > 0 && pane < kPaneCount) {
        panes_[pane]->setText(text);
    }
}

QString StatusPanes::Text(int pane) const {
    if (pane == kStatusPane) {
        return status_;
    }
    return pane > 0 && pane < kPaneCount ? panes_[pane]->text() : QString();
}

bool StatusPanes::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panes_[kStatusPane] && event->type() == QEvent::Resize) {
        FitStatus();
    }
    return QObject::eventFilter(watched, event);
}

void StatusPanes::FitStatus() {
    QLabel* pane = panes_[kStatusPane];
    const QFontMetrics metrics(pane->font());
    const int room = pane->contentsRect().width();
    const QString shown = FitStatusText(
        status_, [&](const QString& text) { return metrics.horizontalAdvance(text) <= room; });
    pane->setText(shown);
    pane->setToolTip(shown == status_ ? QString() : status_);
}

QString FitStatusText(const QString& text, const std::function<bool(const QString&)>& fits) {
    if (fits(text)) {
        return text;
    }
    const QString more = QStringLiteral(", ...");
    QString kept = text;
    for (int cut = kept.lastIndexOf(QStringLiteral(", ")); cut > 0;
         cut = kept.lastIndexOf(QStringLiteral(", "))) {
        kept = kept.left(cut);
        if (fits(kept + more)) {
            return kept + more;
        }
    }
    return kept == text ? text : kept + more;
}

void StatusPanes::OnClockTick() {
    panes_[kClockPane]->setText(QString::fromStdString(FormatClock(clock_.LocalNow())));
    const KeyLocks locks = QueryKeyLocks();
    panes_[kCapsPane]->setEnabled(locks.known && locks.caps);
    panes_[kNumPane]->setEnabled(locks.known && locks.num);
    panes_[kScrollPane]->setEnabled(locks.known && locks.scroll);
}

}  // namespace tavix
