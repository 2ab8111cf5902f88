// Where a user's settings and data go: the XDG rules on Linux, LOCALAPPDATA
// on Windows. Both are functions of an environment, checked here on any system.
#include "base/UserFolders.h"

#include <gtest/gtest.h>

#include <map>

#include "base/Paths.h"
#include "base/System.h"

namespace tavix {
namespace {

EnvironmentLookup Env(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const char* name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        return it == vars.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
}

TEST(UserFolders, XdgVariablesWinWhenAbsoluteElseTheHomeFoldersDefaults) {
    const struct {
        std::map<std::string, std::string> env;
        const char* config;
        const char* data;
    } cases[] = {
        {{{"HOME", "/home/u"}}, "/home/u/.config/Tavix", "/home/u/.local/share/Tavix"},
        {{{"HOME", "/home/u/"}}, "/home/u/.config/Tavix", "/home/u/.local/share/Tavix"},
        {{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/c"}, {"XDG_DATA_HOME", "/d/"}},
         "/c/Tavix",
         "/d/Tavix"},
        // Empty and relative values are to be ignored, as the rules say.
        {{{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", ""}, {"XDG_DATA_HOME", "rel/data"}},
         "/home/u/.config/Tavix",
         "/home/u/.local/share/Tavix"},
        {{{"XDG_CONFIG_HOME", "/c"}}, "/c/Tavix", ""},
        {{}, "", ""},
        {{{"HOME", ""}}, "", ""},
    };
    for (const auto& c : cases) {
        const UserFolders folders = XdgUserFolders(Env(c.env));
        EXPECT_EQ(folders.config, c.config) << c.env.size();
        EXPECT_EQ(folders.data, c.data) << c.env.size();
    }
}

TEST(UserFolders, WindowsKeepsBothInLocalAppData) {
    const struct {
        std::map<std::string, std::string> env;
        const char* folder;
    } cases[] = {
        {{{"LOCALAPPDATA", "C:\\Users\\u\\AppData\\Local"}, {"USERPROFILE", "C:\\Users\\x"}},
         "C:\\Users\\u\\AppData\\Local\\Tavix"},
        {{{"USERPROFILE", "C:\\Users\\u"}}, "C:\\Users\\u\\AppData\\Local\\Tavix"},
        {{{"LOCALAPPDATA", ""}, {"HOME", "/home/u"}}, ""},
    };
    for (const auto& c : cases) {
        const UserFolders folders = WindowsUserFolders(Env(c.env));
        EXPECT_EQ(folders.config, c.folder);
        EXPECT_EQ(folders.data, c.folder);
    }
}

TEST(UserFolders, JoinPathUsesTheSystemsSeparatorOnce) {
    const std::string sep(1, PathSeparator());
    EXPECT_EQ(JoinPath("a", "b"), "a" + sep + "b");
    EXPECT_EQ(JoinPath("a" + sep, "b"), "a" + sep + "b");
    EXPECT_EQ(JoinPath("a/", "b"), "a/b");
    EXPECT_EQ(JoinPath("", "b"), "b");
}

TEST(UserFolders, NamesAreUtf8ThroughTheLibrarysPaths) {
    const std::string name = "\xE9\xA3\x9E\xE8\xA1\x8C.dat";  // 飞行.dat
    EXPECT_EQ(Utf8FromPath(PathFromUtf8(name)), name);
    EXPECT_EQ(PathFromUtf8(name).filename().u8string().size(), name.size());
}

}  // namespace
}  // namespace tavix
