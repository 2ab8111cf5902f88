#include "link/PortName.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/CIniFile.h"
#include "fakes/TempDir.h"

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
    EXPECT_EQ(ResolvePort("COM100", 2, ini), "/dev/ttyUSB99");  // three digits are a number
    EXPECT_EQ(ResolvePort("COM1000", 2, ini), "COM1000");       // four are a name
    EXPECT_EQ(ResolvePort("/dev/pts/7", 2, ini), "/dev/pts/7");
    // Not a port number: taken as a path.
    EXPECT_EQ(ResolvePort("COMX", 2, ini), "COMX");
    EXPECT_EQ(ResolvePort("combo", 2, ini), "combo");
}

TEST(PortName, ANameInTheWorkingDirectoryIsThatFileNotADevice) {
    test::TempDir dir;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    test::WriteBytes("regular.txt", "x");
    std::filesystem::create_directory("somedir");
    CIniFile ini;
    // The serial library looks a bare name up among the system's devices;
    // "./" keeps it where the user meant it.
    EXPECT_EQ(ResolvePort("regular.txt", 1, ini), "./regular.txt");
    EXPECT_EQ(ResolvePort("somedir", 1, ini), "./somedir");
    EXPECT_EQ(ResolvePort("ttyS0", 1, ini), "ttyS0");  // not here: the system's device name
    EXPECT_EQ(ResolvePort("sub/port", 1, ini), "sub/port");
    std::filesystem::current_path(previous);
}
#endif

}  // namespace
}  // namespace tavix
