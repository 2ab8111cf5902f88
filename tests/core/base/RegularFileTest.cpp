// Reading only what is a regular file of a sane size: a FIFO, a device or a
// file without end must neither block the program nor fill its memory.
#include "base/RegularFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/TempDir.h"

namespace tavix {
namespace {

TEST(ReadRegularFile, TakesRegularFilesUpToTheLimitAndRefusesEverythingElse) {
    test::TempDir dir;
    constexpr std::size_t kLimit = 40000;  // more than one read's chunk
    test::WriteBytes(dir.File("at-limit"), std::string(kLimit, 'a'));
    test::WriteBytes(dir.File("over-limit"), std::string(kLimit + 1, 'a'));
    test::WriteBytes(dir.File("empty"), "");
    std::filesystem::create_directory(dir.File("folder"));

    const struct {
        std::string path;
        bool read;
        std::size_t size;
        const char* reason;
    } cases[] = {
        {dir.File("at-limit"), true, kLimit, ""},
        {dir.File("empty"), true, 0, ""},
        {dir.File("over-limit"), false, 0, kFileTooLarge},
        {dir.File("folder"), false, 0, kNotRegularFile},
        {dir.File("missing"), false, 0, "No such file or directory"},
    };
    for (const auto& c : cases) {
        std::string bytes = "stale";
        std::string reason;
        EXPECT_EQ(ReadRegularFile(c.path, kLimit, bytes, &reason), c.read) << c.path;
        EXPECT_EQ(bytes.size(), c.size) << c.path;
        EXPECT_EQ(reason, c.reason) << c.path;
    }
}

}  // namespace
}  // namespace tavix
