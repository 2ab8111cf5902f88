#pragma once
// What every tavix-cli test stands on: a scratch folder holding the shipped
// config.ini, the built-in simulated device ("demo": a Tarrow ESC with its
// logger, put back as it was after the test), and what the command printed.
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "fakes/TempDir.h"
#include "platform/SerialBackendFactory.h"
#include "records/CTavixDoc.h"
#include "sim/SimDevice.h"

namespace tavix::cli {

class CliFixture : public ::testing::Test {
protected:
    CliFixture() {
        std::filesystem::copy_file(std::string(TAVIX_SOURCE_DIR) + "/res/config.ini", config);
        UseDevice(sim::Series::Tarrow);
    }
    ~CliFixture() override { SetDemoDevice(std::make_shared<sim::SimDevice>()); }

    // The device "demo" answers as from now on.
    sim::SimDevice& UseDevice(sim::Series series) {
        device = std::make_shared<sim::SimDevice>(series);
        SetDemoDevice(device);
        return *device;
    }

    // Runs `args` with `extra` put after its first `at` words, the command
    // (such as "--config" and the scratch config.ini); out and err hold what
    // it printed.
    int RunWith(std::vector<std::string> args, const std::vector<std::string>& extra,
                std::size_t at = 1) {
        out.str("");
        err.str("");
        if (args.size() >= at) {
            args.insert(args.begin() + static_cast<std::ptrdiff_t>(at), extra.begin(), extra.end());
        }
        return RunCli(args, Io{out, err, false});
    }

    std::vector<std::string> OutLines() const {
        std::vector<std::string> lines;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    // Writes to `path` a 5-channel flight of 40 samples of the profile 1L40
    // (30 a second as the file is stored): steady 12.0 V, rising current,
    // throttle from 75 % to 94.5 %, RPM periods of 2000 after two samples
    // without a reading.
    static void StoreRampRecord(const std::string& path) {
        auto record = std::make_unique<FlightRecord>();
        record->header.channels = kUploadChannels;
        record->header.samples = 40;
        record->header.poles = 14;
        record->header.gearRate = 1.0f;
        SetFixedText(record->header.hwCode, "1L40");
        for (int j = 0; j < 40; ++j) {
            record->raw[kVoltage][j] = 120;
            record->raw[kCurrent][j] = 2 * j;
            record->raw[kThrottle][j] = 150 + j;
            record->raw[kTemperature][j] = 60;
            record->raw[kMotorRpm][j] = j < 2 ? 0 : 2000;
        }
        std::string message;
        EXPECT_TRUE(CTavixDoc::StoreRecord(path, *record, "", message)) << message;
    }

    test::TempDir dir;
    std::string config = dir.File("config.ini");
    std::shared_ptr<sim::SimDevice> device;
    std::ostringstream out;
    std::ostringstream err;
};

}  // namespace tavix::cli
