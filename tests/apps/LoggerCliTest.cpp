// tavix-cli logger and clear against the built-in simulated device: what they
// print, what reaches the logger, and their exit status when the device or
// the command line says no.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "CliFixture.h"
#include "Commands.h"
#include "base/FormatText.h"
#include "fakes/TempDir.h"
#include "link/LinkMessages.h"
#include "logger/LoggerMessages.h"
#include "loggercfg/LoggerCfgMessages.h"
#include "platform/SerialBackendFactory.h"
#include "sim/SimDevice.h"

namespace tavix::cli {
namespace {

class LoggerCliTest : public CliFixture {
protected:
    int Run(std::vector<std::string> args) {
        return RunWith(std::move(args), {"--config", config, "--port", "demo"});
    }
};

TEST_F(LoggerCliTest, ReadWriteAndClearTheLogger) {
    ASSERT_EQ(Run({"logger", "read"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "Cycle Record:  not reverse\nSampling Rate: 5 ps\nFlight Times:  4\n");

    const Bytes before(device->Memory().begin(), device->Memory().begin() + 64);
    ASSERT_EQ(Run({"logger", "write", "--cycle", "on", "--rate", "30"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), std::string(kMsgLoggerUpdated) +
                             "\nCycle Record:  reverse\nSampling Rate: 30 ps\nFlight Times:  4\n");
    Bytes expected = before;
    expected[20] = 1;
    expected[22] = 30;
    EXPECT_EQ(Bytes(device->Memory().begin(), device->Memory().begin() + 64), expected);

    // Only what is asked for changes.
    ASSERT_EQ(Run({"logger", "write", "--cycle=off"}), kExitOk) << err.str();
    EXPECT_EQ(device->Memory()[20], 0);
    EXPECT_EQ(device->Memory()[22], 30);

    // A rate the list does not hold is told as the logger holds it.
    Bytes memory = device->Memory();
    memory[22] = 4;
    device->SetMemory(memory);
    ASSERT_EQ(Run({"logger", "read"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("Sampling Rate: none of the list (the logger holds 4 per second)\n"),
              std::string::npos)
        << out.str();

    ASSERT_EQ(Run({"clear"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), std::string(kMsgCleared) + "\n");
    ASSERT_EQ(Run({"logger", "read"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("Flight Times:  0\n"), std::string::npos) << out.str();
}

TEST_F(LoggerCliTest, ADeviceThatSaysNoIsAFailure) {
    UseDevice(sim::Series::Velmor);  // an ESC without a logger
    EXPECT_EQ(Run({"clear"}), kExitRefused);
    EXPECT_NE(err.str().find("no flight data logger"), std::string::npos) << err.str();

    UseDevice(sim::Series::Tarrow).MutableFaults().silent = true;
    EXPECT_EQ(Run({"logger", "read"}), kExitRefused);
    EXPECT_EQ(err.str(),
              std::string(kMsgConnectTimeout) + "\n" + FormatText(kDetailSilence, "demo") + "\n");
    EXPECT_TRUE(out.str().empty());
}

TEST_F(LoggerCliTest, UsageErrors) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"logger"},
             {"logger", "erase"},
             {"logger", "read", "--rate", "5"},
             {"logger", "write", "--rate", "4"},
             {"logger", "write", "--rate", "5x"},
             {"logger", "write", "--cycle", "yes"},
             {"clear", "now"},
         }) {
        EXPECT_EQ(Run(args), kExitUsage) << args.back();
        EXPECT_NE(err.str().find("Usage: tavix-cli"), std::string::npos);
    }
    EXPECT_EQ(device->RequestCount(4), 0);
}

}  // namespace
}  // namespace tavix::cli
