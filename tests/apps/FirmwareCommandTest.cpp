// tavix-cli firmware: checking files, and flashing the built-in simulated ESC
// with exactly the frames of the upgrade page.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CliFixture.h"
#include "Commands.h"
#include "fakes/FirmwareFixture.h"
#include "fakes/TempDir.h"
#include "link/Frame.h"
#include "platform/SerialBackendFactory.h"
#include "platform/UserEscHistory.h"
#include "sim/SimDevice.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix::cli {
namespace {

constexpr const char* kNewVersion = "TVKA20141L409999";

class FirmwareCommandTest : public CliFixture {
protected:
    FirmwareCommandTest() {
        device = std::make_shared<sim::SimDevice>();
        SetDemoDevice(device);
    }

    int Run(const std::vector<std::string>& args) { return RunWith(args, {}); }

    std::string Write(const std::string& name, const std::string& content) {
        std::ofstream(dir.File(name), std::ios::binary) << content;
        return dir.File(name);
    }

    int Flash(const std::string& path) {
        return Run({"firmware", "flash", path, "--port", "demo", "--config", config});
    }
};

TEST_F(FirmwareCommandTest, CheckPrintsVersionAndSizeOfAValidFile) {
    EXPECT_EQ(Run({"firmware", "check", Write("a.Dlc", "0102:4:1234567890ABCDEF:63497:")}),
              kExitOk);
    EXPECT_EQ(out.str(), "Version: 1234 5678 90AB CDEF\nImage:   2 bytes in 1 blocks\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(FirmwareCommandTest, CheckRefusesInvalidAndMissingFiles) {
    EXPECT_EQ(Run({"firmware", "check", Write("bad.Dlc", "0102:4:1234567890ABCDEF:63498:")}),
              kExitRefused);
    EXPECT_EQ(err.str().rfind(std::string(kMsgInvalidFirmwareFile) + "\nChecksum: ", 0), 0u)
        << err.str();
    EXPECT_EQ(out.str(), "");
    // A version the ESC could not take is refused before anything is sent.
    EXPECT_EQ(
        Run({"firmware", "check", Write("short.Dlc", test::FirmwareText("0102", "1.2.3.45"))}),
        kExitRefused);
    EXPECT_EQ(err.str(), std::string(kMsgInvalidFirmwareFile) +
                             "\nVersion: the version text has 8 characters; the ESC needs "
                             "exactly 16.\n");
    EXPECT_EQ(Run({"firmware", "check", dir.File("missing.Dlc")}), kExitRefused);
    EXPECT_EQ(err.str(), "Invalid download file.\nPlease select the correct file and try again!\n");
}

TEST_F(FirmwareCommandTest, UsageErrors) {
    EXPECT_EQ(Run({"firmware"}), kExitUsage);
    EXPECT_EQ(Run({"firmware", "erase", "a.Dlc"}), kExitUsage);
    EXPECT_EQ(Run({"firmware", "check", "a.Dlc", "--port", "demo"}), kExitUsage);
    EXPECT_EQ(Run({"firmware", "--help"}), kExitOk);
}

TEST_F(FirmwareCommandTest, FlashSendsThePageFramesAndEndsWithTheNewVersion) {
    const Bytes image = test::PatternImage(700);
    const std::string path =
        Write("new.Dlc", test::FirmwareText(test::HexText(image), kNewVersion));
    ASSERT_EQ(Flash(path), kExitOk) << err.str();
    EXPECT_NE(out.str().find(std::string(kMsgDownloadSuccessful) + "\n"), std::string::npos);
    EXPECT_NE(out.str().find("Firmware version: TVKA 2014 1L40 9999, 700 bytes"),
              std::string::npos);
    EXPECT_EQ(err.str(), "block 1 of 2, 0%\nblock 2 of 2, 73%\n");

    std::vector<std::uint8_t> commands;
    for (const DeviceFrame& f : device->Requests()) {
        commands.push_back(f.command);
    }
    EXPECT_EQ(commands,
              (std::vector<std::uint8_t>{kCmdReadBlock, kCmdReadBlock, kCmdWriteFirmware,
                                         kCmdWriteFirmware, kCmdWriteBlock, kCmdReadBlock}));
    EXPECT_EQ(device->FirmwareImage(), image);
    EXPECT_EQ(device->Version(), kNewVersion);
}

TEST_F(FirmwareCommandTest, FlashRefusesAnInvalidFileAfterTheVersionRead) {
    const std::string path = Write("bad.Dlc", "0102:5:1234567890ABCDEF:1:");
    EXPECT_EQ(Flash(path), kExitRefused);
    EXPECT_EQ(err.str(), std::string(kMsgInvalidFirmwareFile) + "\n" + path +
                             "\nLength: the length field does not give the 4 image characters "
                             "before the first colon.\n");
    EXPECT_EQ(device->Requests().size(), 1u);
}

TEST_F(FirmwareCommandTest, FlashOfAnotherHardwareNeedsItsOption) {
    const std::string path = Write(
        "other.Dlc", test::FirmwareText(test::HexText(test::PatternImage(10)), "TVKB20140V200400"));
    EXPECT_EQ(Flash(path), kExitRefused);
    EXPECT_NE(err.str().find("This firmware is made for another ESC"), std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("--other-hardware"), std::string::npos);
    EXPECT_EQ(device->Requests().size(), 2u);  // the version reads only
    EXPECT_EQ(
        Run({"firmware", "flash", path, "--port", "demo", "--config", config, "--other-hardware"}),
        kExitOk)
        << err.str();
    EXPECT_EQ(device->Version(), "TVKB20140V200400");
}

TEST_F(FirmwareCommandTest, FlashFailsWhenTheEscDoesNotKeepTheVersion) {
    device->MutableFaults().keepParamBlock = true;
    const std::string path =
        Write("new.Dlc", test::FirmwareText(test::HexText(test::PatternImage(10)), kNewVersion));
    EXPECT_EQ(Flash(path), kExitRefused);
    EXPECT_NE(err.str().find("The ESC did not keep the new firmware: it reports version "
                             "TVKA 2014 1L40 0312, the file carries TVKA 2014 1L40 9999."),
              std::string::npos)
        << err.str();
    EXPECT_EQ(out.str().find(kMsgDownloadSuccessful), std::string::npos);
}

TEST_F(FirmwareCommandTest, FlashFailsWhenTheEscIsUnpluggedMidDownload) {
    device->MutableFaults().disconnectAfterFirmwareBlocks = 1;
    const std::string path =
        Write("new.Dlc", test::FirmwareText(test::HexText(test::PatternImage(1500)), kNewVersion));
    EXPECT_EQ(Flash(path), kExitRefused);
    EXPECT_NE(err.str().find(kMsgDownloadTimeout), std::string::npos) << err.str();
    EXPECT_NE(err.str().find(kMsgFirmwareIncompleteCli), std::string::npos) << err.str();
    EXPECT_NE(device->Version(), kNewVersion);
}

TEST_F(FirmwareCommandTest, FlashKeepsTheSettingsOfBeforeTheUpgrade) {
    setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
    Bytes settings = device->ParamBlock();
    settings[3] = 2;
    device->SetParamBlock(settings);
    const std::string path =
        Write("new.Dlc", test::FirmwareText(test::HexText(test::PatternImage(700)), kNewVersion));
    ASSERT_EQ(Flash(path), kExitOk) << err.str();
    const auto kept = UserEscHistory().List();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].reason, "before-upgrade");
    EXPECT_EQ(kept[0].block, settings);
}

}  // namespace
}  // namespace tavix::cli
