#pragma once
// Window timers on Qt: one QTimer per id; Post runs a task from the event loop
// once the handler now running has returned.

#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

#include "shell/TimerHost.h"

namespace tavix {

class QtTimerHost : public QObject, public TimerHost {
    Q_OBJECT
public:
    explicit QtTimerHost(QObject* parent = nullptr);
    ~QtTimerHost() override;

    void StartTimer(int id, int ms) override;
    void StopTimer(int id) override;
    bool IsRunning(int id) const override;
    void Post(std::function<void()> task) override;

private:
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace tavix
