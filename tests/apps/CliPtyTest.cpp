// The same upload twice: once from the built-in demo device, once from
// tavix-devsim through a pseudo-terminal and the real serial backend. Both
// go through the same session, frames and pacing, so the record files must
// be the same bytes, apart from the moment of the upload they carry.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "Commands.h"
#include "fakes/TempDir.h"
#include "flight/FlightRecord.h"
#include "platform/SerialBackendFactory.h"
#include "records/RecordCodec.h"
#include "sim/SimDevice.h"
#include "support/Devsim.h"

namespace tavix::cli {
namespace {

using test::DevsimPath;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Record bytes with the two upload time stamps (the first 16 bytes) cleared.
// The header's time stamps and the upload section's time (with the checksum
// that covers it) say when the file was written, not what the logger held.
std::string WithoutTimeStamps(std::string bytes) {
    for (std::size_t i = 0; i < 16 && i < bytes.size(); ++i) {
        bytes[i] = 0;
    }
    const std::size_t extension = bytes.rfind(kExtensionMagic);
    const std::size_t upload =
        extension == std::string::npos ? extension : bytes.find(kUploadTag, extension);
    if (upload != std::string::npos && upload + 8 <= bytes.size()) {
        std::uint32_t length = 0;
        std::memcpy(&length, bytes.data() + upload + 4, sizeof length);
        const std::size_t payload = upload + 8;
        if (payload + length + 4 <= bytes.size() && length >= 8) {
            std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(payload), 8, '\0');
            std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(payload + length), 4, '\0');
        }
    }
    return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(CliPseudoTerminal, UploadFromDevsimWritesTheSameFilesAsTheDemoDevice) {
    ASSERT_TRUE(QFileInfo(DevsimPath()).isExecutable()) << DevsimPath().toStdString();
    test::TempDir dir;
    const std::string config = dir.File("config.ini");
    std::filesystem::copy_file(std::string(TAVIX_SOURCE_DIR) + "/res/config.ini", config);
    SetDemoDevice(std::make_shared<sim::SimDevice>(sim::Series::Tarrow));

    QProcess devsim;
    devsim.start(DevsimPath(), {"--device", "tarrow", "--memory", "normal"});
    ASSERT_TRUE(devsim.waitForStarted(3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return devsim.canReadLine(); }, 3000));
    const std::string pty = devsim.readLine().trimmed().toStdString();
    ASSERT_FALSE(pty.empty());

    auto upload = [&](const std::string& port, const std::string& out) {
        std::ostringstream o;
        std::ostringstream e;
        const int status = RunCli({"upload", "--config", config, "--port", port, "--gear", "3",
                                   "--poles", "10", "--out", out},
                                  Io{o, e, false});
        EXPECT_EQ(status, kExitOk) << port << ": " << e.str();
        return Lines(o.str());
    };
    const std::vector<std::string> overPty = upload(pty, dir.File("pty"));
    const std::vector<std::string> fromDemo = upload("demo", dir.File("demo"));
    devsim.terminate();
    devsim.waitForFinished(3000);

    ASSERT_EQ(overPty.size(), 3u);
    ASSERT_EQ(fromDemo.size(), overPty.size());
    for (std::size_t i = 0; i < overPty.size(); ++i) {
        EXPECT_EQ(std::filesystem::path(overPty[i]).filename(),
                  std::filesystem::path(fromDemo[i]).filename());
        const std::string a = ReadFile(overPty[i]);
        const std::string b = ReadFile(fromDemo[i]);
        ASSERT_GT(a.size(), RecordHeader::kSize);
        EXPECT_TRUE(WithoutTimeStamps(a) == WithoutTimeStamps(b)) << overPty[i];
    }
    SetDemoDevice(std::make_shared<sim::SimDevice>());
}

// A new user's first questions: which ports are there, and does this one
// reach the device? Both work without config.ini.
TEST(CliPseudoTerminal, DoctorIdentifiesTheDeviceOnAPortAndNamesAMissingOne) {
    test::TempDir dir;
    QProcess devsim;
    devsim.start(DevsimPath(), {"--device", "tarrow"});
    ASSERT_TRUE(devsim.waitForStarted(3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return devsim.canReadLine(); }, 3000));
    const std::string pty = devsim.readLine().trimmed().toStdString();

    std::ostringstream o;
    std::ostringstream e;
    const std::string missing = dir.File("config.ini");
    EXPECT_EQ(RunCli({"ports", "--config", missing}, Io{o, e, false}), kExitRefused);
    o.str("");
    e.str("");
    EXPECT_EQ(RunCli({"ports"}, Io{o, e, false}), kExitOk) << e.str();  // also with none
    EXPECT_FALSE(o.str().empty());

    o.str("");
    EXPECT_EQ(RunCli({"doctor", "--port", pty}, Io{o, e, false}), kExitOk) << e.str();
    EXPECT_NE(o.str().find("Access:       read and write allowed"), std::string::npos) << o.str();
    EXPECT_NE(o.str().find("Device:       answered at 9600 8N1, version TVKA"), std::string::npos)
        << o.str();

    // The device stops answering: the port is fine, the device is not.
    devsim.terminate();
    devsim.waitForFinished(3000);
    o.str("");
    EXPECT_EQ(RunCli({"doctor", "--port", dir.File("ttyGONE")}, Io{o, e, false}), kExitRefused);
    EXPECT_NE(o.str().find(": not found"), std::string::npos) << o.str();
    EXPECT_EQ(o.str().find("Device:"), std::string::npos);  // nothing to open
}

}  // namespace
}  // namespace tavix::cli
