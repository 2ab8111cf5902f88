#include "DeviceSession.h"

#include <QEventLoop>
#include <QTimer>

#include "platform/SerialBackendFactory.h"

namespace tavix::cli {

namespace {

// Longest an identification may take: its own time-out is 3 s.
constexpr int kIdentifyLimitMs = 10000;

}  // namespace

DeviceSession::DeviceSession(Settings& settings, StreamPrompt& prompt,
                             const std::string& portOption)
    : comm_(MakeSerialBackend(portOption)),
      link_(comm_, linkTimers_, prompt, settings.clock, settings.ini, settings.config),
      window_(windowTimers_, link_.Transfer()) {
    link_.portOption = portOption;
    link_.startProgress = [this] {
        window_.Start([this](bool ok) { link_.OnProgressFinished(ok); });
    };
}

bool DeviceSession::RunUntil(const std::function<bool()>& done, int limitMs) {
    if (done()) {
        return true;
    }
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    check.start(10);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

bool DeviceSession::Identify() {
    link_.OnOpenDevice();
    if (!link_.State().busy) {
        return false;  // the port did not open; the reason has been printed
    }
    RunUntil([this] { return !link_.State().busy; }, kIdentifyLimitMs);
    return link_.State().connected;
}

}  // namespace tavix::cli
