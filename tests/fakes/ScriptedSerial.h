#pragma once
// A serial backend for tests: records what the program writes and delivers
// whatever bytes the test feeds it, in the pieces the test chooses.

#include <string>
#include <vector>

#include "link/SerialBackend.h"

namespace tavix::test {

class ScriptedSerial : public SerialBackend {
public:
    bool Open(const std::string& port, std::string& error) override {
        openedPorts.push_back(port);
        if (!openError.empty()) {
            error = openError;
            return false;
        }
        open = true;
        return true;
    }
    [[nodiscard]] std::string WhyNotOpen(const std::string&) override { return cause; }
    void Close() override {
        open = false;
        ++closeCount;
    }
    bool IsOpen() const override { return open; }
    void Write(const Bytes& bytes) override { written.push_back(bytes); }
    std::size_t BytesWaiting() const override { return waiting.size(); }
    Bytes ReadAll() override {
        Bytes all;
        all.swap(waiting);
        return all;
    }

    // Puts `bytes` on the line as if the device had sent them.
    void Feed(const Bytes& bytes) {
        waiting.insert(waiting.end(), bytes.begin(), bytes.end());
        NotifyDataArrived();
    }

    // The adapter pulled out: the port closes under the program.
    void Unplug() {
        open = false;
        MarkVanished();
    }

    bool open = false;
    int closeCount = 0;
    std::string openError;  // non-empty: the next Open fails with this text
    std::string cause;      // what WhyNotOpen tells after a failed Open
    std::vector<std::string> openedPorts;
    std::vector<Bytes> written;
    Bytes waiting;
};

}  // namespace tavix::test
