#pragma once
// The status bar's six panes: the status text, the device version, the clock
// (redrawn every second) and the CAP / NUM / SCRL lock indicators, which read
// like the keyboard's own lights (dark when on).

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

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
    // The whole text of `pane`; the status pane may show less (FitStatusText).
    QString Text(int pane) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnClockTick();
    void FitStatus();

    const Clock& clock_;
    QLabel* panes_[kPaneCount] = {};
    QTimer timer_;
    QString status_;  // the status pane's whole text
};

// `text` cut to what `fits` allows, at the last ", " that fits, with ", ..."
// in place of the items left out: a list of values is never cut inside a value.
// Text with no such separator stays whole (the label clips it).
QString FitStatusText(const QString& text, const std::function<bool(const QString&)>& fits);

}  // namespace tavix
