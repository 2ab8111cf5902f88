// Writing files so that a crash, a full disk or a second writer never leaves
// a half file, a lost file or litter behind.
#include "base/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>

#include "base/RegularFile.h"
#include "fakes/TempDir.h"

namespace tavix {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Each case runs with the system's unnamed temporaries and with hidden named ones.
class AtomicFile : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { atomic_file_detail::useUnnamedTemporaries = GetParam(); }
    void TearDown() override { atomic_file_detail::useUnnamedTemporaries = true; }
};

TEST_P(AtomicFile, CreatingNeverReplacesAFileThatTookTheNameMeanwhile) {
    TempDir dir;
    const std::string path = dir.File("2014-3-7_1.dat");
    std::string reason;
    EXPECT_EQ(CreateFileAtomically(path, "mine", &reason), CreateResult::Created) << reason;
    EXPECT_EQ(ReadBytes(path), "mine");

    EXPECT_EQ(CreateFileAtomically(path, "another upload", &reason), CreateResult::NameTaken);
    EXPECT_EQ(ReadBytes(path), "mine");
    // A dangling link holds its name too.
    fs::create_symlink(dir.File("nowhere"), dir.File("link.dat"));
    EXPECT_EQ(CreateFileAtomically(dir.File("link.dat"), "x", &reason), CreateResult::NameTaken);
    EXPECT_FALSE(fs::exists(dir.File("nowhere")));

    EXPECT_EQ(CreateFileAtomically(dir.File("no-dir/a.dat"), "x", &reason), CreateResult::Failed);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"2014-3-7_1.dat", "link.dat"}));
}

TEST_P(AtomicFile, ReplacingKeepsTheAtomicRenameAndLeavesNothingBeside) {
    TempDir dir;
    const std::string path = dir.File("config.ini");
    WriteBytes(path, "old");
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(ReadBytes(path), "new");
    ASSERT_TRUE(WriteFileAtomically(dir.File("fresh.csv"), ""));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"config.ini", "fresh.csv"}));
}

TEST_P(AtomicFile, TemporariesLeftByACrashAreRemovedByTheNextSaveOnceAMinuteOld) {
    TempDir dir;
    // What a save killed half-way leaves where the system has no unnamed
    // temporary files: a hidden file with the temporary prefix.
    const std::string stale = dir.File(std::string(kTemporaryPrefix) + "123456");
    const std::string young = dir.File(std::string(kTemporaryPrefix) + "654321");
    const std::string other = dir.File(".hidden-user-file");
    for (const std::string& p : {stale, young, other}) {
        WriteBytes(p, "partial");
    }
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    fs::last_write_time(stale, old);
    fs::last_write_time(other, old);

    ASSERT_EQ(CreateFileAtomically(dir.File("a.dat"), "x"), CreateResult::Created);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(young));  // perhaps another program's save in progress
    EXPECT_TRUE(fs::exists(other));
    fs::remove(young);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{".hidden-user-file", "a.dat"}));
}

TEST_P(AtomicFile, OnlyARegularFileIsEverReplaced) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    fs::create_directory(dir.File("folder"));
    fs::create_symlink("fifo", dir.File("link-to-fifo"));
    std::vector<std::string> refused = {"fifo", "folder", "link-to-fifo"};
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
    EXPECT_TRUE(fs::is_directory(dir.File("folder")));
    EXPECT_TRUE(fs::is_symlink(dir.File("link-to-fifo")));
    if (refused.size() == 4) {
        EXPECT_TRUE(fs::is_character_file(dir.File("null")));
    }
}

// Links are followed only when they belong to the user running the program or
// to root: one planted by another user in a shared folder redirects nothing.
TEST_P(AtomicFile, ALinkOfAnotherUserNeverRedirectsAWrite) {
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

INSTANTIATE_TEST_SUITE_P(Temporaries, AtomicFile, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

}  // namespace
}  // namespace tavix
