#pragma once
// An ESC parameter page on fake time, talking to a simulated ESC of one series
// through the in-process serial backend, with scripted message boxes.

#include <gtest/gtest.h>

#include <memory>

#include "esc/EscParamSession.h"
#include "fakes/FakePrompt.h"
#include "fakes/FakeTimers.h"
#include "link/CMSComm.h"
#include "sim/SimDevice.h"
#include "sim/SimSerialBackend.h"

namespace tavix::test {

inline const EscSeriesTable& TableOf(sim::Series series) {
    return *SeriesTable(static_cast<int>(series));
}

class EscSession {
public:
    explicit EscSession(sim::Series series)
        : device(std::make_shared<sim::SimDevice>(series)),
          comm(std::make_unique<sim::SimSerialBackend>(device, time.NewHost())),
          timers(time.NewHost()),
          session(TableOf(series), comm, *timers, prompt, [] { return std::string("demo"); }) {}

    // The main form makes the page current: visible, then its show.
    void Show() {
        session.SetVisible(true);
        session.OnShow(true);
    }
    void Hide() {
        session.SetVisible(false);
        session.OnHide();
    }
    // Shown, and the read reply in.
    void ShowAndRead() {
        Show();
        time.Advance(200);
        ASSERT_EQ(session.State().phase, EscPhase::Linked) << prompt.Last();
    }
    // "Update" answered Yes, the reply and the read-back in.
    void Update() {
        session.OnUpdate();
        time.Advance(400);
    }
    const EscParamState& State() const { return session.State(); }
    const EscSeriesTable& Table() const { return session.Table(); }
    // The block of the last write the ESC received.
    Bytes Written() const {
        for (auto it = device->Requests().rbegin(); it != device->Requests().rend(); ++it) {
            if (it->command == 15) {
                return it->data;
            }
        }
        return {};
    }

    FakeTimers time;
    FakePrompt prompt;
    std::shared_ptr<sim::SimDevice> device;
    CMSComm comm;
    std::unique_ptr<TimerHost> timers;
    EscParamSession session;
};

}  // namespace tavix::test
