// The INI engine where the system has FIFOs, symbolic links, file modes and
// resource limits.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "config/CIniFile.h"
#include "core/config/CIniFileFixture.h"
#include "fakes/TempDir.h"

namespace tavix {
namespace {

// A settings file near its size limit made of the smallest entries or
// sections loads in a bounded amount of memory: a few bytes of bookkeeping per
// entry, not a heap object or two. Checked in a child process whose address
// space is limited to what it uses now plus 160 MB.
TEST_F(CIniFileTest, TenMegabytesOfTinyEntriesOrSectionsLoadInBoundedMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves far more address space than it uses";
#else
    std::string entries = "[s]\n";
    std::string sections;
    for (int i = 0; entries.size() < (10u << 20); ++i) {
        entries += std::to_string(i) + "=\n";
    }
    for (int i = 0; sections.size() < (10u << 20); ++i) {
        sections += "[" + std::to_string(i) + "]\na=\n";
    }
    for (const std::string* text : {&entries, &sections}) {
        WriteBytes(path, *text);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            long pages = 0;
            std::FILE* statm = std::fopen("/proc/self/statm", "r");
            if (statm == nullptr || std::fscanf(statm, "%ld", &pages) != 1) {
                std::_Exit(3);
            }
            std::fclose(statm);
            const rlim_t limit =
                static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (160u << 20);
            const struct rlimit space { limit, limit };
            ::setrlimit(RLIMIT_AS, &space);
            try {
                CIniFile big;
                big.SetFilePath(path);
                std::_Exit(big.Load() && big.GetText("s", "7") == "" ? 0 : 1);
            } catch (...) {
                std::_Exit(2);  // out of memory
            }
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << (text == &entries ? "entries" : "sections") << ": status " << status;
    }
#endif
}

TEST_F(CIniFileTest, WhatIsNoRegularFileIsRefusedAtOnceAndNamedWithTheReason) {
    namespace fs = std::filesystem;
    fs::create_directory(dir.File("folder.ini"));
    ASSERT_EQ(mkfifo(dir.File("fifo.ini").c_str(), 0600), 0);  // would block a plain open
    fs::create_symlink(dir.File("loop.ini"), dir.File("loop.ini"));
    const struct {
        const char* name;
        const char* reason;
        bool lastErrorSet;
    } cases[] = {
        {"missing.ini", "No such file or directory", false},
        {"loop.ini", "Too many levels of symbolic links", false},
        {"folder.ini", "Not a regular file", true},
        {"fifo.ini", "Not a regular file", true},
    };
    for (const auto& c : cases) {
        CIniFile odd;
        odd.SetFilePath(dir.File(c.name));
        EXPECT_FALSE(odd.Load()) << c.name;
        EXPECT_EQ(odd.LoadFailureDetail(), dir.File(c.name) + ": " + c.reason);
        EXPECT_EQ(odd.LastError(), c.lastErrorSet ? kIniErrOpen : "") << c.name;
    }
    LoadText("[s]\na=1\n");
    EXPECT_EQ(ini.LoadFailureDetail(), "");
}

TEST_F(CIniFileTest, FailedSaveLeavesTheOldFileWhole) {
    const std::string old = "[display]\r\nyaxis=1\r\n\r\n";
    LoadText(old);
    ini.PutText("display", "note", std::string(4096, 'n'), true);

    // A full disk: the file-size limit makes every write past 64 bytes fail.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = saved;
    tight.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    const bool saved_ok = ini.Save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(ini.LastError().rfind(kIniErrSave, 0), 0u) << ini.LastError();
    EXPECT_EQ(ReadBytes(path), old);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
    // The setting is still in memory and is written by the next save that works.
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(path).size(), old.size() + 4096 + 7);
}

TEST_F(CIniFileTest, SaveReplacesTheFileALinkNamesAndKeepsItsPermissions) {
    namespace fs = std::filesystem;
    // config.ini as a link to a file kept elsewhere, readable by its owner only.
    const std::string real = dir.File("real.ini");
    WriteBytes(real, "[s]\na=1\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(real, path);
    ini.SetFilePath(path);
    ASSERT_TRUE(ini.Load());
    ini.PutInt("s", "a", 2, true);
    ASSERT_TRUE(ini.Save()) << ini.LastError();

    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(path)));
    EXPECT_EQ(ReadBytes(real), "[s]\r\na=2\r\n\r\n");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"config.ini", "real.ini"}));
}

TEST_F(CIniFileTest, SaveLeavesAReadOnlyFileAlone) {
    namespace fs = std::filesystem;
    LoadText("[s]\na=1\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    if (access(path.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "permissions are not enforced for this user (root)";
    }
    ini.PutInt("s", "a", 2, true);
    EXPECT_FALSE(ini.Save());
    EXPECT_EQ(ini.LastError().rfind(kIniErrSave, 0), 0u) << ini.LastError();
    EXPECT_EQ(ReadBytes(path), "[s]\na=1\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"config.ini"});
}

TEST_F(CIniFileTest, SaveIntoReadOnlyDirectoryFailsAndKeepsTheOldFile) {
    LoadText("[s]\na=1\n");
    const std::filesystem::path locked = dir.Path() / "locked";
    std::filesystem::create_directory(locked);
    const std::string target = (locked / "config.ini").string();
    WriteBytes(target, "old");
    std::filesystem::permissions(
        locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (access(locked.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "permissions are not enforced for this user (root)";
    }
    ini.SetFilePath(target);
    EXPECT_FALSE(ini.Save());
    EXPECT_EQ(ReadBytes(target), "old");
}

}  // namespace
}  // namespace tavix
