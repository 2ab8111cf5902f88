#include "link/SerialPorts.h"

#include <gtest/gtest.h>

#include "config/CIniFile.h"
#include "link/PortName.h"

namespace tavix {
namespace {

SerialPortEntry Port(const std::string& device, const std::string& description = "") {
    SerialPortEntry entry;
    entry.path = device;
    entry.device = device;
    entry.description = description;
    return entry;
}

std::vector<std::string> Paths(const std::vector<SerialPortEntry>& ports) {
    std::vector<std::string> paths;
    for (const SerialPortEntry& p : ports) {
        paths.push_back(p.path + (p.inUse ? " *" : ""));
    }
    return paths;
}

TEST(SerialPorts, StableNamesFirstThenNaturalOrderInUseMarked) {
    // rfcomm0 sorts before the stable names but has none; ttyUSB11 after
    // ttyUSB2 by its number, not its text.
    const std::vector<SerialPortEntry> found = {Port("/dev/ttyUSB10"), Port("/dev/ttyS0"),
                                                Port("/dev/ttyUSB11"), Port("/dev/ttyUSB2"),
                                                Port("/dev/ttyACM0"),  Port("/dev/rfcomm0")};
    const std::vector<StableName> links = {
        {"/dev/serial/by-id/usb-b-if00", "/dev/ttyACM0"},
        {"/dev/serial/by-id/usb-a-if00", "/dev/ttyACM0"},  // first in name order wins
        {"/dev/serial/by-id/usb-z-if00", "/dev/ttyUSB10"}};
    EXPECT_EQ(
        Paths(ArrangePorts(found, links, "/dev/ttyACM0", true)),
        (std::vector<std::string>{"/dev/serial/by-id/usb-a-if00 *", "/dev/serial/by-id/usb-z-if00",
                                  "/dev/rfcomm0", "/dev/ttyS0", "/dev/ttyUSB2", "/dev/ttyUSB11"}));
    // The port in use named by its stable name; a pseudo-terminal the system
    // does not list is added; the demo device and a missing port are not.
    EXPECT_EQ(Paths(ArrangePorts(found, links, "/dev/serial/by-id/usb-z-if00", true))[1],
              "/dev/serial/by-id/usb-z-if00 *");
    EXPECT_EQ(Paths(ArrangePorts({}, {}, "/dev/pts/4", true)),
              (std::vector<std::string>{"/dev/pts/4 *"}));
    EXPECT_TRUE(ArrangePorts({}, {}, "demo", true).empty());
    EXPECT_TRUE(ArrangePorts({}, {}, "/dev/ttyUSB9", false).empty());
}

TEST(SerialPorts, ListTextEscapesWhatTheAdapterSays) {
    SerialPortEntry usb = Port("/dev/ttyUSB0", "CP2102\x1b[31m");
    usb.path = "/dev/serial/by-id/usb-x";
    usb.manufacturer = "Silicon Labs";
    usb.vendorId = 0x10c4;
    usb.productId = 0xea60;
    usb.serialNumber = "0001";
    usb.inUse = true;
    EXPECT_EQ(PortListText({usb, Port("/dev/ttyS0")}),
              "* /dev/serial/by-id/usb-x -> /dev/ttyUSB0\n"
              "    CP2102\\x1B[31m, by Silicon Labs, USB 10c4:ea60, serial 0001, in use\n"
              "  /dev/ttyS0\n");
    EXPECT_EQ(PortListText({}), "");
}

#ifndef _WIN32
TEST(SerialPorts, ComNumberRoundTripsThroughConfig) {
    CIniFile ini;
    ini.PutText("communicateset", "com2", "/dev/ttyACM0", true);
    ini.PutText("communicateset", "com17", "/dev/serial/by-id/usb-a", true);
    struct Case {
        std::string path;
        int number;
        bool write;
    };
    const Case cases[] = {
        {"/dev/ttyACM0", 2, false},              // already stored under COM 2
        {"/dev/serial/by-id/usb-a", 17, false},  // already stored beyond COM 16
        {"/dev/ttyUSB0", 1, false},              // COM 1's own meaning
        {"/dev/ttyUSB1", 18, true},              // COM 2 names another device: COM 2 keeps it
        {"/dev/ttyUSB15", 16, false},
        {"/dev/pts/3", 18, true},  // first free number past COM 16
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const auto [number, write] = ComNumberFor(c.path, ini);
        EXPECT_EQ(number, c.number);
        EXPECT_EQ(write, c.write);
        CIniFile copy = ini;
        if (write) {
            copy.PutText("communicateset", "com" + std::to_string(number), c.path, true);
        }
        EXPECT_EQ(PortPathFor(number, copy), c.path);
    }
}
#endif

}  // namespace
}  // namespace tavix
