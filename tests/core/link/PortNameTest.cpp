#include "link/PortName.h"

#include <gtest/gtest.h>

#include "config/CIniFile.h"

namespace tavix {
namespace {

#ifndef _WIN32
TEST(PortName, NumberMapsToConfiguredPathOrUsbAdapter) {
    CIniFile ini;
    ini.PutInt("communicateset", "port", 3, true);
    ini.PutText("communicateset", "com3", " /dev/ttyS7 ", true);
    ini.PutText("communicateset", "com4", "", true);

    EXPECT_EQ(PortPathFor(3, ini), "/dev/ttyS7");
    EXPECT_EQ(PortPathFor(1, ini), "/dev/ttyUSB0");
    EXPECT_EQ(PortPathFor(4, ini), "/dev/ttyUSB3");  // an empty entry is no path
    EXPECT_EQ(PortPathFor(16, ini), "/dev/ttyUSB15");
    EXPECT_EQ(PortPathFor(0, ini), "");  // no port chosen
    EXPECT_EQ(PortPathFor(-2, ini), "");
}

TEST(PortName, OptionOverridesTheStoredNumber) {
    CIniFile ini;
    ini.PutText("communicateset", "com2", "/dev/ttyACM0", true);

    EXPECT_EQ(ResolvePort("", 2, ini), "/dev/ttyACM0");
    EXPECT_EQ(ResolvePort("demo", 2, ini), "demo");
    EXPECT_EQ(ResolvePort("DEMO", 2, ini), "demo");
    EXPECT_EQ(ResolvePort("COM2", 5, ini), "/dev/ttyACM0");
    EXPECT_EQ(ResolvePort("com 5", 2, ini), "/dev/ttyUSB4");
    EXPECT_EQ(ResolvePort("/dev/pts/7", 2, ini), "/dev/pts/7");
    // Not a port number: taken as a path.
    EXPECT_EQ(ResolvePort("COMX", 2, ini), "COMX");
    EXPECT_EQ(ResolvePort("combo", 2, ini), "combo");
}
#endif

}  // namespace
}  // namespace tavix
