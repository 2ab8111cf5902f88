#include "fakes/FakeTimers.h"

#include <algorithm>

namespace tavix::test {

class FakeTimers::Host : public TimerHost {
public:
    explicit Host(FakeTimers& owner) : owner_(owner) {}
    ~Host() override { owner_.Forget(this); }
    void StartTimer(int id, int ms) override { owner_.Start(this, id, ms); }
    void StopTimer(int id) override { owner_.Stop(this, id); }
    bool IsRunning(int id) const override { return owner_.IsRunning(this, id); }
    void Post(std::function<void()> task) override { owner_.Post(this, std::move(task)); }
    void Trigger(int id) { Fire(id); }

private:
    FakeTimers& owner_;
};

FakeTimers::FakeTimers() = default;
FakeTimers::~FakeTimers() = default;

std::unique_ptr<TimerHost> FakeTimers::NewHost() {
    return std::make_unique<Host>(*this);
}

void FakeTimers::Start(Host* host, int id, int ms) {
    Stop(host, id);
    entries_.push_back(Entry{host, id, std::max(ms, 1), now_ + std::max(ms, 1), seq_++});
}

void FakeTimers::Stop(Host* host, int id) {
    std::erase_if(entries_, [&](const Entry& e) { return e.host == host && e.id == id; });
}

bool FakeTimers::IsRunning(const Host* host, int id) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.host == host && e.id == id; });
}

void FakeTimers::Forget(Host* host) {
    std::erase_if(entries_, [&](const Entry& e) { return e.host == host; });
    std::erase_if(posted_, [&](const Posted& p) { return p.host == host; });
}

void FakeTimers::Post(Host* host, std::function<void()> task) {
    posted_.push_back(Posted{host, std::move(task)});
}

int FakeTimers::RunningCount() const {
    return static_cast<int>(entries_.size());
}

void FakeTimers::Advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    for (;;) {
        if (!posted_.empty()) {
            auto task = std::move(posted_.front().task);
            posted_.erase(posted_.begin());
            task();
            continue;
        }
        auto next =
            std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
                return a.due != b.due ? a.due < b.due : a.seq < b.seq;
            });
        if (next == entries_.end() || next->due > end) {
            break;
        }
        now_ = next->due;
        next->due += next->period;
        next->seq = seq_++;
        Host* host = next->host;
        const int id = next->id;
        host->Trigger(id);  // may start, stop or destroy timers
    }
    now_ = end;
}

}  // namespace tavix::test
