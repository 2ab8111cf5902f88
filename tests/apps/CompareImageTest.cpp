// tavix-cli compare --image: the record page comparing uploaded flights drawn
// off-screen, and the refusals that name the file and why.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <sstream>

#include "CliFixture.h"
#include "Commands.h"
#include "fakes/TempDir.h"
#include "platform/SerialBackendFactory.h"
#include "sim/SimDevice.h"

namespace tavix::cli {
namespace {

class CompareImageTest : public CliFixture {
protected:
    int Run(std::vector<std::string> args) {
        return RunWith(std::move(args), {"--config", config});
    }
};

TEST_F(CompareImageTest, DrawsTheComparisonPageOrSaysWhichRecordItCannotOpen) {
    ASSERT_EQ(Run({"upload", "--port", "demo", "--out", dir.Path().string()}), kExitOk)
        << err.str();
    const std::vector<std::string> paths = OutLines();
    ASSERT_GE(paths.size(), 2u);

    const std::string single = dir.File("single.png");
    const std::string compared = dir.File("compared.png");
    ASSERT_EQ(Run({"image", paths[0], "-o", single, "--size", "800x500"}), kExitOk) << err.str();
    ASSERT_EQ(Run({"compare", paths[0], paths[1], "--align", "throttle", "--image", compared,
                   "--size", "800x500"}),
              kExitOk)
        << err.str();
    EXPECT_EQ(out.str(), compared + "\n");
    const QImage alone(QString::fromStdString(single));
    const QImage both(QString::fromStdString(compared));
    // The size asked for, grown where the whole table needs more.
    ASSERT_EQ(alone.size(), QSize(800, 500));
    ASSERT_GE(both.width(), 800);
    ASSERT_GE(both.height(), 500);
    // Under the curves the difference table stands where one record shows
    // its quantities.
    int differ = 0;
    for (int y = 380; y < 500; y += 4) {
        for (int x = 0; x < 800; x += 4) {
            differ += alone.pixel(x, y) != both.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(differ, 500);

    // The stacked layout draws another page of the same size.
    const std::string stacked = dir.File("stacked.png");
    ASSERT_EQ(Run({"image", paths[0], "-o", stacked, "--size", "800x500", "--layout", "stacked"}),
              kExitOk)
        << err.str();
    EXPECT_NE(QImage(QString::fromStdString(stacked)), alone);
    EXPECT_EQ(QImage(QString::fromStdString(stacked)).size(), QSize(800, 500));

    struct Case {
        std::vector<std::string> args;
        int exit;
        const char* says;
    };
    const std::string none = dir.File("none.dat");
    const std::string png = dir.File("x.png");
    const std::string pngRecord = dir.File("record.png");  // a record under an image's name
    std::filesystem::copy_file(paths[1], pngRecord);
    const Case cases[] = {
        {{"compare", paths[0], paths[1], "--csv", "--image", png}, kExitUsage, "--image"},
        {{"compare", paths[0], paths[1], "--size", "800x500"}, kExitUsage, "--size"},
        {{"compare", paths[0], paths[1], "--image", png, "--size", "80x50"}, kExitUsage, "--size"},
        {{"compare", paths[0], paths[1], "--image", png, "--layout", "tiled"},
         kExitUsage,
         "--layout takes stacked or overlay, not tiled"},
        {{"compare", paths[0], paths[1], "--layout", "stacked"}, kExitUsage, "--layout"},
        {{"compare", paths[0], none, "--image", png}, kExitRefused, "none.dat can't be compared"},
        {{"compare", paths[0], paths[0], "--image", png}, kExitRefused, "is compared already"},
        // The table refuses the same pair as the image does.
        {{"compare", paths[0], paths[0]}, kExitRefused, "is compared already"},
        {{"compare", paths[0], paths[1], "--align", "start\x1b[5m"}, kExitUsage, "start\\x1B[5m"},
        {{"compare", paths[0], pngRecord, "--image", pngRecord}, kExitRefused, "would replace"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), c.exit) << c.says;
        EXPECT_NE(err.str().find(c.says), std::string::npos) << err.str();
    }
    EXPECT_FALSE(std::filesystem::exists(png));
}

}  // namespace
}  // namespace tavix::cli
