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

    test::TempDir dir;
    std::string config = dir.File("config.ini");
    std::shared_ptr<sim::SimDevice> device;
    std::ostringstream out;
    std::ostringstream err;
};

}  // namespace tavix::cli
