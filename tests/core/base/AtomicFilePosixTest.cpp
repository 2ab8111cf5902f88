// The atomic write where the system has FIFOs, devices, symbolic links and
// file owners: none of them is ever replaced or followed where it must not be.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>

#include "base/AtomicFile.h"
#include "base/RegularFile.h"
#include "core/base/AtomicFileFixture.h"
#include "fakes/TempDir.h"

namespace tavix {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class AtomicFilePosix : public test::EachTemporaryKind {};

TEST_P(AtomicFilePosix, ADanglingLinkHoldsItsNameForANewFile) {
    TempDir dir;
    fs::create_symlink(dir.File("nowhere"), dir.File("link.dat"));
    std::string reason;
    EXPECT_EQ(CreateFileAtomically(dir.File("link.dat"), "x", &reason), CreateResult::NameTaken);
    EXPECT_FALSE(fs::exists(dir.File("nowhere")));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"link.dat"}));
}

TEST_P(AtomicFilePosix, AFifoADeviceOrALinkToThemIsNeverReplaced) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", dir.File("link-to-fifo"));
    std::vector<std::string> refused = {"fifo", "link-to-fifo"};
    // A character device like /dev/null (only root may make one).
    if (::mknod(dir.File("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        refused.push_back("null");
    }
    for (const std::string& name : refused) {
        std::string reason;
        EXPECT_FALSE(WriteFileAtomically(dir.File(name), "data", &reason)) << name;
        EXPECT_EQ(reason, kNotRegularFile) << name;
    }
    EXPECT_TRUE(fs::is_fifo(dir.File("fifo")));
    EXPECT_TRUE(fs::is_symlink(dir.File("link-to-fifo")));
    if (refused.size() == 3) {
        EXPECT_TRUE(fs::is_character_file(dir.File("null")));
    }
}

// Links are followed only when they belong to the user running the program or
// to root: one planted by another user in a shared folder redirects nothing.
TEST_P(AtomicFilePosix, ALinkOfAnotherUserNeverRedirectsAWrite) {
    TempDir dir;
    const std::string secret = dir.File("secret");
    WriteBytes(secret, "keep");
    fs::create_symlink(secret, dir.File("mine.csv"));
    fs::create_symlink(secret, dir.File("planted.csv"));
    fs::create_symlink("planted.csv", dir.File("mine-to-planted.csv"));
    constexpr uid_t kNobody = 65534;
    if (::lchown(dir.File("planted.csv").c_str(), kNobody, kNobody) != 0) {
        GTEST_SKIP() << "only root can give a link to another user";
    }
    ::chmod(dir.Path().c_str(), 01777);  // a shared folder like /tmp

    for (const char* name : {"planted.csv", "mine-to-planted.csv"}) {
        std::string reason;
        EXPECT_FALSE(WriteFileAtomically(dir.File(name), "overwritten", &reason)) << name;
        EXPECT_EQ(reason, kLinkOfAnotherUser) << name;
        EXPECT_EQ(ReadBytes(secret), "keep");
        EXPECT_TRUE(fs::is_symlink(dir.File(name)));
    }
    std::string reason;
    ASSERT_TRUE(WriteFileAtomically(dir.File("mine.csv"), "new", &reason)) << reason;
    EXPECT_EQ(ReadBytes(secret), "new");
    EXPECT_TRUE(fs::is_symlink(dir.File("mine.csv")));
}

INSTANTIATE_TEST_SUITE_P(Temporaries, AtomicFilePosix, ::testing::Values(true, false),
                         test::TemporaryKindName);

}  // namespace
}  // namespace tavix
