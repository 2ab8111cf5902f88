#include "device/ConnectedDevice.h"

#include "base/FormatText.h"
#include "base/OutsideText.h"
#include "base/PlainText.h"
#include "base/Translate.h"
#include "device/DeviceMessages.h"
#include "device/DeviceVersion.h"
#include "link/Frame.h"
#include "shell/Clock.h"

namespace tavix {

DeviceIdentity IdentityOfBlock(const Bytes& block) {
    DeviceIdentity identity;
    if (block.size() < kBlockVersionOffset + kBlockVersionSize) {
        return identity;
    }
    const auto at = block.begin() + static_cast<std::ptrdiff_t>(kBlockVersionOffset);
    identity.version.assign(at, at + static_cast<std::ptrdiff_t>(kBlockVersionSize));
    identity.series = SeriesOf(identity.version);
    identity.hardwareCode = HardwareCodeOf(identity.version);
    identity.hasLogger = HasLogger(identity.version);
    return identity;
}

std::string DescribeIdentity(const DeviceIdentity& identity) {
    const std::string version = UpToZero(identity.version);
    return EscapeControls(version) + " (" + SeriesName(identity.series) + ", hardware " +
           EscapeControls(identity.hardwareCode) + ")";
}

std::string OtherEscText(const DeviceIdentity& found, const DeviceIdentity& shown) {
    return FormatShown(kFmtOtherEscOnPort, DescribeIdentity(found).c_str(),
                       DescribeIdentity(shown).c_str());
}

void ConnectedDevice::Changed() {
    // A watcher may unwatch (a page closing) while it is told.
    const auto watchers = watchers_;
    for (const auto& [token, changed] : watchers) {
        if (watchers_.count(token) > 0 && changed) {
            changed();
        }
    }
}

void ConnectedDevice::EndIdentity(DeviceState next) {
    const bool had = state_ == DeviceState::Identified || !identity_.version.empty();
    state_ = next;
    identity_ = {};
    block_.clear();
    blockReadAt_ = 0;
    if (had) {
        ++generation_;
    }
}

void ConnectedDevice::Opening(const std::string& port) {
    port_ = port;
    EndIdentity(DeviceState::Reading);
    ++generation_;  // a page that read before Open Device reads again
    Changed();
}

void ConnectedDevice::Identify(const Bytes& block) {
    identity_ = IdentityOfBlock(block);
    block_ = block;
    blockReadAt_ = clock_ != nullptr ? clock_->Now() : 0;
    state_ = DeviceState::Identified;
    ++generation_;
    Changed();
}

void ConnectedDevice::Refused() {
    EndIdentity(DeviceState::NotOpened);
    Changed();
}

void ConnectedDevice::Lose() {
    if (state_ == DeviceState::Lost || state_ == DeviceState::NotOpened) {
        return;
    }
    EndIdentity(DeviceState::Lost);
    Changed();
}

void ConnectedDevice::SetPort(const std::string& port) {
    if (port == port_) {
        return;
    }
    port_ = port;
    EndIdentity(DeviceState::NotOpened);
    Changed();
}

void ConnectedDevice::BlockRead(const Bytes& block) {
    if (state_ != DeviceState::Identified) {
        return;
    }
    const DeviceIdentity read = IdentityOfBlock(block);
    if (read != identity_) {
        identity_ = read;
        ++generation_;
    }
    block_ = block;
    blockReadAt_ = clock_ != nullptr ? clock_->Now() : 0;
    Changed();
}

int ConnectedDevice::Watch(std::function<void()> changed) {
    const int token = nextToken_++;
    watchers_[token] = std::move(changed);
    return token;
}

void ConnectedDevice::Unwatch(int token) {
    watchers_.erase(token);
}

}  // namespace tavix
