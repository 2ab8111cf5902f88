#include "DeviceSession.h"

#include <QEventLoop>
#include <QTimer>

#include "link/PortName.h"
#include "platform/SerialBackendFactory.h"
#include "platform/UserEscHistory.h"

namespace tavix::cli {

namespace {

// Longest an identification may take: its own time-out is 3 s.
constexpr int kIdentifyLimitMs = 10000;

}  // namespace

DeviceSession::DeviceSession(Settings& settings, StreamPrompt& prompt,
                             const std::string& portOption)
    : comm_(MakeSerialBackend(portOption)),
      line_(comm_, linkTimers_, prompt),
      identity_(line_, prompt, settings.ini, settings.config, settings.doc.Record()),
      link_(line_, identity_, prompt, settings.clock, settings.doc.Record()),
      window_(link_.Transfer(), &windowTimers_) {
    line_.SetPortSource([portOption, &settings] {
        return ResolvePort(portOption, settings.config.comPort, settings.ini);
    });
    identity_.keepBlock = [](const Bytes& block) {
        return KeepEscSnapshot(SnapshotReason::Read, block);
    };
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
    identity_.OnOpenDevice();
    if (!line_.busy) {
        return false;  // the port did not open; the reason has been printed
    }
    RunUntil([this] { return !line_.busy; }, kIdentifyLimitMs);
    return identity_.State().connected;
}

}  // namespace tavix::cli
