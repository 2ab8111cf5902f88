// Writing files so that a crash, a full disk or a second writer never leaves
// a half file, a lost file or litter behind.
#include "base/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/RegularFile.h"
#include "core/base/AtomicFileFixture.h"
#include "fakes/TempDir.h"

namespace tavix {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class AtomicFile : public test::EachTemporaryKind {};

TEST_P(AtomicFile, CreatingNeverReplacesAFileThatTookTheNameMeanwhile) {
    TempDir dir;
    const std::string path = dir.File("2014-3-7_1.dat");
    std::string reason;
    EXPECT_EQ(CreateFileAtomically(path, "mine", &reason), CreateResult::Created) << reason;
    EXPECT_EQ(ReadBytes(path), "mine");

    EXPECT_EQ(CreateFileAtomically(path, "another upload", &reason), CreateResult::NameTaken);
    EXPECT_EQ(ReadBytes(path), "mine");

    EXPECT_EQ(CreateFileAtomically(dir.File("no-dir/a.dat"), "x", &reason), CreateResult::Failed);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"2014-3-7_1.dat"}));
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

TEST_P(AtomicFile, AFolderUnderTheNameIsNeverReplaced) {
    TempDir dir;
    fs::create_directory(dir.File("folder"));
    std::string reason;
    EXPECT_FALSE(WriteFileAtomically(dir.File("folder"), "data", &reason));
    EXPECT_EQ(reason, kNotRegularFile);
    EXPECT_TRUE(fs::is_directory(dir.File("folder")));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"folder"}));
}

INSTANTIATE_TEST_SUITE_P(Temporaries, AtomicFile, ::testing::Values(true, false),
                         test::TemporaryKindName);

}  // namespace
}  // namespace tavix
