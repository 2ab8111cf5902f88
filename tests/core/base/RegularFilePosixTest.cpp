// A FIFO, a device or a link to one is refused before any byte is read: the
// read would wait for a writer, or never end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/RegularFile.h"
#include "fakes/TempDir.h"

namespace tavix {
namespace {

TEST(ReadRegularFilePosix, FifosDevicesAndLinksToThemAreNoRegularFiles) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir.File("zero-link"));
    for (const std::string& path :
         {dir.File("fifo"), std::string("/dev/zero"), dir.File("zero-link")}) {
        std::string bytes = "stale";
        std::string reason;
        EXPECT_FALSE(ReadRegularFile(path, 40000, bytes, &reason)) << path;
        EXPECT_EQ(bytes, "") << path;
        EXPECT_EQ(reason, kNotRegularFile) << path;
        EXPECT_FALSE(IsRegularFile(path)) << path;
    }
}

}  // namespace
}  // namespace tavix
