#pragma once
// The status bar's six panes: the status text, the device version, the clock
// (redrawn every second) and the CAP / NUM / SCRL lock indicators, which read
// like the keyboard's own lights (dark when on).

#include <QObject>
#include <QString>
#include <QTimer>

class QLabel;
class QStatusBar;

namespace tavix {

class Clock;

class StatusPanes : public QObject {
    Q_OBJECT
public:
    enum Pane { kStatusPane = 0, kVersionPane, kClockPane, kCapsPane, kNumPane, kScrollPane };
    static constexpr int kPaneCount = 6;
    static constexpr int kClockPeriodMs = 1000;

    StatusPanes(QStatusBar& bar, const Clock& clock, QObject* parent = nullptr);

    void SetText(int pane, const QString& text);
    QString Text(int pane) const;

private:
    void OnClockTick();

    const Clock& clock_;
    QLabel* panes_[kPaneCount] = {};
    QTimer timer_;
};

}  // namespace tavix
