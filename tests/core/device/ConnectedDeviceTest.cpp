#include "device/ConnectedDevice.h"

#include <gtest/gtest.h>

#include <functional>

#include "device/DeviceVersion.h"
#include "fakes/FixedClock.h"
#include "link/Frame.h"

namespace tavix {
namespace {

constexpr const char* kTarrow = "TVKA20141L400312";
constexpr const char* kVelmor = "TVKB20140V200312";

Bytes BlockWith(const std::string& version) {
    Bytes block(kParamBlockSize, 0x11);
    std::copy(version.begin(), version.end(), block.begin() + kBlockVersionOffset);
    return block;
}

TEST(ConnectedDevice, IdentifyTakesWhatTheBlockSaysAndStampsIt) {
    test::FixedClock clock;
    ConnectedDevice esc(&clock);
    esc.Opening("/dev/ttyUSB0");
    EXPECT_EQ(esc.State(), DeviceState::Reading);
    esc.Identify(BlockWith(kTarrow));
    EXPECT_EQ(esc.State(), DeviceState::Identified);
    EXPECT_EQ(esc.Port(), "/dev/ttyUSB0");
    EXPECT_EQ(esc.Identity(), (DeviceIdentity{kTarrow, kSeriesTarrow, "1L40", true}));
    EXPECT_EQ(esc.BlockReadAt(), clock.Now());
    EXPECT_EQ(DescribeIdentity(esc.Identity()), "TVKA20141L400312 (Tarrow, hardware 1L40)");
}

// From an identified Tarrow: what each event leaves, and whether what a page
// read before it still belongs to the ESC identified.
struct Event {
    const char* name;
    std::function<void(ConnectedDevice&)> happen;
    DeviceState state;
    const char* version;  // of the identity afterwards
    bool sameGeneration;
};

TEST(ConnectedDevice, EveryEndOrChangeOfTheIdentityIsSeenByThePages) {
    const Event events[] = {
        {"Open Device", [](ConnectedDevice& d) { d.Opening("/dev/ttyUSB0"); }, DeviceState::Reading,
         "", false},
        {"time-out or unplug", [](ConnectedDevice& d) { d.Lose(); }, DeviceState::Lost, "", false},
        {"another port", [](ConnectedDevice& d) { d.SetPort("/dev/ttyUSB1"); },
         DeviceState::NotOpened, "", false},
        {"refused at identification", [](ConnectedDevice& d) { d.Refused(); },
         DeviceState::NotOpened, "", false},
        {"the same port again", [](ConnectedDevice& d) { d.SetPort("/dev/ttyUSB0"); },
         DeviceState::Identified, kTarrow, true},
        {"a page reads the same ESC", [](ConnectedDevice& d) { d.BlockRead(BlockWith(kTarrow)); },
         DeviceState::Identified, kTarrow, true},
        {"a page finds another ESC", [](ConnectedDevice& d) { d.BlockRead(BlockWith(kVelmor)); },
         DeviceState::Identified, kVelmor, false},
    };
    for (const Event& e : events) {
        SCOPED_TRACE(e.name);
        ConnectedDevice esc;
        esc.Opening("/dev/ttyUSB0");
        esc.Identify(BlockWith(kTarrow));
        int told = 0;
        esc.Watch([&] { ++told; });
        const unsigned read = esc.Generation();
        e.happen(esc);
        EXPECT_EQ(esc.State(), e.state);
        EXPECT_EQ(esc.Identity().version, e.version);
        EXPECT_EQ(esc.Generation() == read, e.sameGeneration);
        // Watchers hear of every change (a port chosen again is none).
        EXPECT_EQ(told, e.name == std::string("the same port again") ? 0 : 1);
    }
}

TEST(ConnectedDevice, OnlyOpenDeviceIdentifies) {
    ConnectedDevice esc;
    esc.BlockRead(BlockWith(kTarrow));
    EXPECT_EQ(esc.State(), DeviceState::NotOpened);
    EXPECT_TRUE(esc.Identity().version.empty());
}

}  // namespace
}  // namespace tavix
