// tavix-cli map: one CSV row per band holding samples, per record; what it
// refuses.
#include <gtest/gtest.h>

#include "CliFixture.h"
#include "analysis/ThrottleMap.h"

namespace tavix::cli {
namespace {

class MapCliTest : public CliFixture {
protected:
    MapCliTest() { StoreRampRecord(path); }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "map");
        args.insert(args.end(), {"--config", config});
        return RunWith(std::move(args), {});
    }

    std::string path = dir.File("a.dat");
};

TEST_F(MapCliTest, CsvHasARowPerBandHoldingSamplesForEveryRecord) {
    ASSERT_EQ(Run({path, path, "--csv"}), kExitOk) << err.str();
    const auto lines = OutLines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], std::string(kMapCsvHeader) + "\r");
    // Bands 70-80, 80-90 and 90-100 hold 10, 20 and 10 samples, 30 a second.
    const char* bands[] = {",70.00,80.00,0.33,", ",80.00,90.00,0.67,", ",90.00,100.00,0.33,"};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(lines[static_cast<std::size_t>(r + 1)].rfind(path + bands[r % 3], 0), 0u)
            << lines[static_cast<std::size_t>(r + 1)];
    }
    ASSERT_EQ(Run({path, "--csv", "--bin", "50"}), kExitOk);
    EXPECT_EQ(OutLines().size(), 2u);  // all in 50-100
}

TEST_F(MapCliTest, ABadBandWidthIsAUsageErrorAndAMissingFileDoesNotStopTheOthers) {
    for (const char* bin : {"0", "101", "ten", "5%"}) {
        EXPECT_EQ(Run({path, "--bin", bin}), kExitUsage) << bin;
    }
    EXPECT_EQ(Run({dir.File("none.dat"), path}), kExitRefused);
    EXPECT_NE(out.str().find("90-100"), std::string::npos);
    EXPECT_NE(err.str().find("none.dat"), std::string::npos);
}

}  // namespace
}  // namespace tavix::cli
