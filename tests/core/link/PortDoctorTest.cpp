#include "link/PortDoctor.h"

#include <gtest/gtest.h>

#include <map>

#include "fakes/FakePortSystem.h"

namespace tavix {
namespace {

using test::FakePortSystem;

bool Says(const PortReport& report, const std::string& words) {
    return report.Text().find(words) != std::string::npos;
}

class PortDoctorTest : public ::testing::Test {
protected:
    void SetUp() override {
        sys.AddPort("/dev/ttyUSB0");
        sys.AddLockDir("/run/lock");
        sys.readWrite.insert("/dev/ttyUSB0");
        sys.groupsNow.insert(20);
        sys.groupsInDatabase.insert(20);
    }
    PortReport Diagnose(const std::string& port = "/dev/ttyUSB0") {
        return DiagnosePort(sys, port, present);
    }
    FakePortSystem sys;
    std::vector<SerialPortEntry> present;
};

TEST_F(PortDoctorTest, AHealthyPortHasNoCause) {
    const PortReport report = Diagnose();
    EXPECT_TRUE(report.found);
    EXPECT_FALSE(report.blocked);
    EXPECT_EQ(report.cause, "");
    EXPECT_TRUE(Says(report, "read and write allowed (crw-rw----)"));
    EXPECT_TRUE(Says(report, "no other process"));
    EXPECT_TRUE(Says(report, "Lock files:   none"));
}

TEST_F(PortDoctorTest, AMissingPortListsThePortsPresent) {
    SerialPortEntry acm;
    acm.path = acm.device = "/dev/ttyACM0";
    acm.description = "USB CDC";
    present.push_back(acm);
    PortReport report = Diagnose("/dev/ttyUSB3");
    EXPECT_FALSE(report.found);
    EXPECT_EQ(report.cause, "not found; present: /dev/ttyACM0");
    EXPECT_TRUE(Says(report, "/dev/ttyACM0  (USB CDC)"));

    present.clear();
    report = Diagnose("/dev/ttyUSB3");
    EXPECT_EQ(report.cause, "not found; no serial port is present");
    EXPECT_TRUE(Says(report, "no serial ports"));
}

TEST_F(PortDoctorTest, NoPermissionNamesTheGroupAndTheCommand) {
    sys.readWrite.clear();
    sys.groupsNow.clear();
    sys.groupsInDatabase.clear();
    PortReport report = Diagnose();
    EXPECT_TRUE(report.blocked);
    EXPECT_EQ(report.cause, "no permission: join group dialout");
    EXPECT_TRUE(Says(report, "sudo usermod -aG dialout ann"));
    EXPECT_TRUE(Says(report, "a new login is needed"));

    // Added to the group, but this login still runs without it.
    sys.groupsInDatabase.insert(20);
    report = Diagnose();
    EXPECT_EQ(report.cause, "no permission: log in again to use group dialout");
    EXPECT_TRUE(Says(report, "newgrp dialout"));

    // In the group now, and still refused: neither joining nor a new login helps.
    sys.groupsNow.insert(20);
    report = Diagnose();
    EXPECT_EQ(report.cause, "no permission: refused although ann is in group dialout");
    sys.groupsNow.clear();

    // A group that may only read, or only the owner: joining a group would
    // not help.
    sys.files["/dev/ttyUSB0"].mode = 0640;
    report = Diagnose();
    EXPECT_EQ(report.cause, "no permission: crw-r----- for group dialout");
    sys.files["/dev/ttyUSB0"].mode = 0600;
    report = Diagnose();
    EXPECT_EQ(report.cause, "no permission: crw------- for group dialout");
}

TEST_F(PortDoctorTest, ProcessesHoldingThePortAreNamedOwnProcessIsNot) {
    sys.AddPort("/dev/serial/by-id/usb-FTDI-if00", "/dev/ttyUSB0");
    sys.readWrite.insert("/dev/serial/by-id/usb-FTDI-if00");
    sys.processes = {{1234, "minicom", {"/dev/null", "/dev/ttyUSB0"}, true},
                     {sys.ownPid, "tavix-cli", {"/dev/ttyUSB0"}, true},
                     {77, "bash", {"/dev/pts/1"}, true}};
    PortReport report = Diagnose("/dev/serial/by-id/usb-FTDI-if00");
    EXPECT_TRUE(report.blocked);
    EXPECT_EQ(report.cause, "in use by process 1234 (minicom)");
    EXPECT_FALSE(Says(report, "tavix-cli"));

    // A holder's name from /proc is outside text.
    sys.processes = {{9, "evil\x1b[2J", {"/dev/ttyUSB0"}, true}};
    report = Diagnose();
    EXPECT_EQ(report.cause, "in use by process 9 (evil\\x1B[2J)");

    // Other users' processes cannot be looked into without root: say so.
    sys.processes = {{9, "getty", {}, false}};
    report = Diagnose();
    EXPECT_EQ(report.cause,
              "perhaps in use by a process of another user (not visible without root)");
    EXPECT_FALSE(report.blocked);
    EXPECT_TRUE(Says(report, "1 processes of other users were not looked into"));
}

TEST_F(PortDoctorTest, LockFilesOfLiveAndGoneProcesses) {
    sys.AddLockDir("/var/lock");
    sys.files["/var/lock"].resolved = "/run/lock";  // the usual link: looked at once
    sys.dirs["/run/lock"] = {"LCK..ttyUSB0", "LCK..ttyS0"};
    sys.contents["/run/lock/LCK..ttyUSB0"] = "      1234\n";
    sys.processes = {{1234, "minicom", {}, true}};
    PortReport report = Diagnose();
    EXPECT_TRUE(report.blocked);
    EXPECT_EQ(report.cause, "locked by process 1234 (minicom)");
    EXPECT_EQ(report.Text().find("LCK..ttyUSB0"), report.Text().rfind("LCK..ttyUSB0"));

    sys.processes.clear();
    report = Diagnose();
    EXPECT_FALSE(report.blocked);
    EXPECT_TRUE(Says(report,
                     "is stale (process 1234 is gone); remove it with: sudo rm "
                     "/run/lock/LCK..ttyUSB0"));
    // A binary process id, as some old programs write it.
    const int pid = 555;
    sys.contents["/run/lock/LCK..ttyUSB0"] = std::string(reinterpret_cast<const char*>(&pid), 4);
    sys.processes = {{555, "cu", {}, true}};
    EXPECT_EQ(Diagnose().cause, "locked by process 555 (cu)");
}

// A FIFO planted in the world-writable lock folder under the name the serial
// library gives a pseudo-terminal's lock: refused with its path, never read.
TEST_F(PortDoctorTest, ALockFileThatIsNoRegularFileBlocksTheOpenWithItsPath) {
    sys.AddPort("/dev/pts/3");
    sys.readWrite.insert("/dev/pts/3");
    sys.dirs["/run/lock"] = {"LCK..pts_3"};
    sys.files["/run/lock/LCK..pts_3"] = PortFile{true, false, "/run/lock/LCK..pts_3", 0666, 0, 0};
    sys.contents["/run/lock/LCK..pts_3"] = "      1234\n";  // would name a live process
    sys.processes = {{1234, "minicom", {}, true}};
    EXPECT_EQ(IrregularLockFile(sys, "/dev/pts/3"), "/run/lock/LCK..pts_3");
    const PortReport report = Diagnose("/dev/pts/3");
    EXPECT_TRUE(report.blocked);
    EXPECT_EQ(report.cause, IrregularLockText("/run/lock/LCK..pts_3"));
    EXPECT_FALSE(Says(report, "minicom"));

    // A plain lock file is no reason to refuse the open.
    sys.files["/run/lock/LCK..pts_3"].isRegular = true;
    EXPECT_EQ(IrregularLockFile(sys, "/dev/pts/3"), "");
    EXPECT_EQ(Diagnose("/dev/pts/3").cause, "locked by process 1234 (minicom)");
}

TEST(LockFileNames, TheSerialLibrarysNamesAndTheOldOnes) {
    EXPECT_EQ(LockFileNames("/dev/pts/3", "/dev/pts/3"),
              (std::vector<std::string>{"LCK..pts_3", "LCK..3"}));
    EXPECT_EQ(
        LockFileNames("/dev/serial/by-id/usb-FTDI", "/dev/ttyUSB0"),
        (std::vector<std::string>{"LCK..serial_by-id_usb-FTDI", "LCK..usb-FTDI", "LCK..ttyUSB0"}));
}

TEST_F(PortDoctorTest, PortGrabbersGetTheirRemedies) {
    SerialPortEntry usb;
    usb.path = usb.device = "/dev/ttyUSB0";
    usb.vendorId = 0x10c4;
    usb.productId = 0xea60;
    present.push_back(usb);
    sys.processes = {{10, "ModemManager", {}, true}, {11, "brltty", {}, true}};
    const PortReport report = Diagnose();
    EXPECT_FALSE(report.blocked);  // running is no proof they hold this port
    EXPECT_TRUE(Says(report,
                     "ATTRS{idVendor}==\"10c4\", ATTRS{idProduct}==\"ea60\", "
                     "ENV{ID_MM_DEVICE_IGNORE}=\"1\""));
    EXPECT_TRUE(Says(report, "brltty-udev.service"));
    EXPECT_EQ(ModemManagerRule(""),
              "ATTRS{idVendor}==\"VVVV\", ATTRS{idProduct}==\"PPPP\", "
              "ENV{ID_MM_DEVICE_IGNORE}=\"1\"");
}

TEST_F(PortDoctorTest, ShownInTheWindowsLanguageWrittenInEnglish) {
    sys.processes = {{1234, "minicom", {"/dev/ttyUSB0"}, true}};
    const PortReport report = Diagnose();
    const std::string english = report.Text();
    // Translated words are GBK: two bytes, and two columns, a character.
    const std::map<std::string, std::string> table = {
        {"Held by:", "\xD5\xBC:"}, {"process %s (%s)", "P%s<%s>"}, {"in use by %s", "U:%s"}};
    SetTranslator([&table](const char* source) {
        const auto found = table.find(source);
        return found == table.end() ? std::string(source) : found->second;
    });
    const std::string shown = report.Shown();
    // The cause a failed open names is only ever shown.
    const std::string cause = Diagnose().cause;
    SetTranslator(nullptr);
    EXPECT_EQ(cause, "U:P1234<minicom>");
    EXPECT_NE(english.find("Held by:      process 1234 (minicom)\n"), std::string::npos) << english;
    EXPECT_NE(shown.find("\xD5\xBC:" + std::string(11, ' ') + "P1234<minicom>\n"),
              std::string::npos)
        << shown;
    EXPECT_EQ(report.Text(), english);
}

TEST_F(PortDoctorTest, NotADeviceAndNoPort) {
    sys.files["/tmp/file"] = PortFile{true, false, "/tmp/file", 0644, 0, 0};
    EXPECT_EQ(Diagnose("/tmp/file").cause, "not a serial device");
    EXPECT_EQ(Diagnose("").cause, "No serial port has been chosen");
    EXPECT_TRUE(Diagnose("demo").found);
}

}  // namespace
}  // namespace tavix
