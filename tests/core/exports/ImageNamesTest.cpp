#include "exports/ImageNames.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

TEST(ImageNamesTest, TheFilterAddsItsExtensionOnlyWhenNoneWasTyped) {
    struct Case {
        const char* typed;
        int filter;
        const char* path;
    };
    const Case cases[] = {
        {"/tmp/chart", 3, "/tmp/chart.png"},
        {"/tmp/chart", 1, "/tmp/chart.jpg"},
        {"/tmp/chart", 2, "/tmp/chart.bmp"},
        {"/tmp/chart", 4, "/tmp/chart.gif"},
        {"/tmp/chart", 0, "/tmp/chart.jpg"},
        {"/tmp/chart", 9, "/tmp/chart.jpg"},
        {"/tmp/chart.bmp", 1, "/tmp/chart.bmp"},  // the typed extension decides
        {"/tmp/chart.txt", 3, "/tmp/chart.txt"},  // and fails at the encoder
        {"/tmp/my.dir/chart", 3, "/tmp/my.dir/chart.png"},
        {"/tmp/chart.", 2, "/tmp/chart.bmp"},
        {"/tmp/.chart", 3, "/tmp/.chart.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithImageExtension(c.typed, c.filter), c.path) << c.typed << " " << c.filter;
    }
}

TEST(ImageNamesTest, TheExtensionNamesTheFormat) {
    EXPECT_EQ(ImageFormatOf("a.jpg"), ImageFormat::Jpeg);
    EXPECT_EQ(ImageFormatOf("a.JPEG"), ImageFormat::Jpeg);
    EXPECT_EQ(ImageFormatOf("a.Bmp"), ImageFormat::Bmp);
    EXPECT_EQ(ImageFormatOf("dir.png/a.png"), ImageFormat::Png);
    EXPECT_EQ(ImageFormatOf("a.gif"), ImageFormat::Gif);
    EXPECT_EQ(ImageFormatOf("a.txt"), ImageFormat::Unknown);
    EXPECT_EQ(ImageFormatOf("dir.png/a"), ImageFormat::Unknown);
}

}  // namespace
}  // namespace tavix
