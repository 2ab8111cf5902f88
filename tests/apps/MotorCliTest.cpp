// tavix-cli motor and info over flights uploaded from the demo device flying
// a motor whose magnets weakened before its last flight.
#include <gtest/gtest.h>

#include "CliFixture.h"
#include "records/MotorBook.h"
#include "sim/LoggerMemory.h"

namespace tavix::cli {
namespace {

class MotorCliTest : public CliFixture {
protected:
    int Run(std::vector<std::string> args) {
        return RunWith(std::move(args), {"--config", config});
    }

    std::string flights = dir.File("flights");
};

TEST_F(MotorCliTest, UploadedModelFlightsWithTheirFiguresAndAlert) {
    device->LoadMemory(sim::MotorMemoryPlan());
    ASSERT_EQ(Run({"upload", "--port", "demo", "--pack", "Blue", "--model", "Wing", "--note",
                   "calm", "--out", flights}),
              kExitOk)
        << err.str();
    const std::vector<std::string> paths = OutLines();
    ASSERT_EQ(paths.size(), 4u);

    ASSERT_EQ(Run({"motor", flights, "--csv"}), kExitOk) << err.str();
    std::vector<std::string> lines = OutLines();
    ASSERT_EQ(lines.size(), 5u) << out.str();
    EXPECT_EQ(lines[0], std::string(kMotorCsvHeader) + "\r");
    for (int i = 1; i <= 4; ++i) {
        EXPECT_NE(lines[i].find(",Wing,"), std::string::npos) << lines[i];
        EXPECT_EQ(lines[i].find("Kv down") != std::string::npos, i == 4) << lines[i];
    }

    // Files one by one, one of them missing: the others still listed.
    ASSERT_EQ(Run({"motor", paths[0], dir.File("none.dat"), paths[3]}), kExitRefused);
    EXPECT_NE(err.str().find("none.dat"), std::string::npos) << err.str();
    lines = OutLines();
    ASSERT_GE(lines.size(), 3u) << out.str();
    EXPECT_EQ(lines[0].find("File  "), 0u) << lines[0];
    EXPECT_NE(out.str().find("magnets heat-damaged?"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\n  Wing: 2 flights, Kv "), std::string::npos) << out.str();

    ASSERT_EQ(Run({"info", paths[0]}), kExitOk) << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("\n  Pack         Blue\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n  Model        Wing\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" rpm/V\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n  Prop k       0.1"), std::string::npos) << text;

    EXPECT_EQ(Run({"motor"}), kExitUsage);
}

TEST_F(MotorCliTest, FlightsWithoutModelOrSteadyStretches) {
    ASSERT_EQ(Run({"upload", "--port", "demo", "--out", flights}), kExitOk) << err.str();
    ASSERT_EQ(Run({"motor", flights}), kExitOk) << err.str();
    EXPECT_NE(out.str().find(kMsgNotEnoughSteady), std::string::npos) << out.str();
    EXPECT_NE(out.str().find(kMsgNoModels), std::string::npos) << out.str();
}

}  // namespace
}  // namespace tavix::cli
