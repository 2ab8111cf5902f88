#include "platform/SerialBackendFactory.h"

#include <cctype>

#include "link/PortName.h"
#include "platform/QtSerialBackend.h"
#include "platform/QtTimerHost.h"
#include "sim/SimSerialBackend.h"

namespace tavix {

namespace {

std::shared_ptr<sim::SimDevice>& DemoSlot() {
    static std::shared_ptr<sim::SimDevice> device;
    return device;
}

bool IsDemo(const std::string& port) {
    const std::string demo = kDemoPort;
    if (port.size() != demo.size()) {
        return false;
    }
    for (std::size_t i = 0; i < port.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(port[i])) != demo[i]) {
            return false;
        }
    }
    return true;
}

// Chooses the real port or the demo device at every Open, so a page's serial
// control follows a change of port (a real one or "demo") without being
// rebuilt.
class PortBackend : public SerialBackend {
public:
    bool Open(const std::string& port, std::string& error) override {
        Close();
        if (IsDemo(port)) {
            inner_ = std::make_unique<sim::SimSerialBackend>(SharedDemoDevice(),
                                                             std::make_unique<QtTimerHost>());
        } else {
            inner_ = std::make_unique<QtSerialBackend>();
        }
        inner_->SetDataArrived([this] { NotifyDataArrived(); });
        return inner_->Open(port, error);
    }
    [[nodiscard]] std::string WhyNotOpen(const std::string& port) override {
        return inner_ ? inner_->WhyNotOpen(port) : std::string();
    }
    void Close() override {
        if (inner_) {
            inner_->Close();
        }
    }
    bool IsOpen() const override { return inner_ && inner_->IsOpen(); }
    bool Vanished() const override { return inner_ && inner_->Vanished(); }
    void Write(const Bytes& bytes) override {
        if (inner_) {
            inner_->Write(bytes);
        }
    }
    std::size_t BytesWaiting() const override { return inner_ ? inner_->BytesWaiting() : 0; }
    Bytes ReadAll() override { return inner_ ? inner_->ReadAll() : Bytes(); }

private:
    std::unique_ptr<SerialBackend> inner_;
};

}  // namespace

std::unique_ptr<SerialBackend> MakeSerialBackend(const std::string& port) {
    (void)port;  // the choice is made again at each Open
    return std::make_unique<PortBackend>();
}

sim::SimDevice& DemoDevice() {
    return *SharedDemoDevice();
}

void SetDemoDevice(std::shared_ptr<sim::SimDevice> device) {
    DemoSlot() = std::move(device);
}

std::shared_ptr<sim::SimDevice> SharedDemoDevice() {
    auto& device = DemoSlot();
    if (!device) {
        device = std::make_shared<sim::SimDevice>(sim::Series::Tarrow);
    }
    return device;
}

}  // namespace tavix
