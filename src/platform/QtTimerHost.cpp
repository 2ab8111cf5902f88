#include "platform/QtTimerHost.h"

#include <QMetaObject>

namespace tavix {

QtTimerHost::QtTimerHost(QObject* parent) : QObject(parent) {}

QtTimerHost::~QtTimerHost() = default;

void QtTimerHost::StartTimer(int id, int ms) {
    auto& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        // Pacing of the simulated line works in single milliseconds.
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer.get(), &QTimer::timeout, this, [this, id] { Fire(id); });
    }
    timer->start(ms < 0 ? 0 : ms);
}

void QtTimerHost::StopTimer(int id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) {
        it->second->stop();
    }
}

bool QtTimerHost::IsRunning(int id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
}

void QtTimerHost::Post(std::function<void()> task) {
    // Queued on this object: it runs from the event loop, and not at all once
    // the host is gone.
    QMetaObject::invokeMethod(
        this, [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

}  // namespace tavix
