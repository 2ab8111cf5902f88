// Which config.ini a run reads, and the user's own made from the shipped
// default on first use without ever overwriting one.
#include "config/ConfigLocation.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/Paths.h"
#include "base/UserFolders.h"
#include "fakes/TempDir.h"

namespace tavix {
namespace {

class ConfigLocation : public ::testing::Test {
protected:
    ConfigLocation() {
        std::filesystem::create_directories(dir.File("share"));
        test::WriteBytes(shipped, "[display]\nyaxis=1\n");
    }

    ConfigPlaces Places(const std::string& option = "") const {
        return ConfigPlaces{option, working, userFolder, {dir.File("nowhere.ini"), shipped}};
    }

    test::TempDir dir;
    std::string working = dir.File("work-config.ini");
    std::string userFolder = JoinPath(dir.File("home"), "Tavix");
    std::string userFile = JoinPath(userFolder, kConfigFileName);
    std::string shipped = dir.File("share/config.ini");
};

TEST_F(ConfigLocation, TheNamedFileThenTheWorkingFoldersThenTheUsersOwn) {
    test::WriteBytes(working, "[x]\n");
    EXPECT_EQ(ChooseConfigFile(Places("named.ini")).path, "named.ini");
    const ConfigChoice here = ChooseConfigFile(Places());
    EXPECT_EQ(here.path, working);
    EXPECT_FALSE(here.userFile);

    std::filesystem::remove(working);
    const ConfigChoice first = ChooseConfigFile(Places());
    EXPECT_EQ(first.path, userFile);
    EXPECT_TRUE(first.userFile);
    EXPECT_EQ(first.madeFrom, shipped);  // the missing candidate before it was passed over
    EXPECT_EQ(first.error, "");
    EXPECT_EQ(test::ReadBytes(userFile), "[display]\nyaxis=1\n");

    // Settings the user changed are never replaced by the default again.
    test::WriteBytes(userFile, "[display]\nyaxis=4\n");
    const ConfigChoice again = ChooseConfigFile(Places());
    EXPECT_EQ(again.path, userFile);
    EXPECT_EQ(again.madeFrom, "");
    EXPECT_EQ(test::ReadBytes(userFile), "[display]\nyaxis=4\n");
}

TEST_F(ConfigLocation, WithoutAUserFolderOrADefaultTheWorkingFoldersNameStays) {
    ConfigPlaces noFolder = Places();
    noFolder.userFolder.clear();
    EXPECT_EQ(ChooseConfigFile(noFolder).path, working);

    ConfigPlaces noDefault = Places();
    noDefault.defaults = {dir.File("nowhere.ini"), dir.File("share")};  // a folder is no default
    const ConfigChoice choice = ChooseConfigFile(noDefault);
    EXPECT_EQ(choice.path, working);
    EXPECT_FALSE(std::filesystem::exists(userFolder));
}

TEST_F(ConfigLocation, AUserFileThatCannotBeMadeIsReportedNotLoadedFromElsewhere) {
    // A file where the folder should be: the folder cannot be made.
    test::WriteBytes(dir.File("home"), "not a folder");
    const ConfigChoice choice = ChooseConfigFile(Places());
    EXPECT_EQ(choice.path, userFile);
    EXPECT_NE(choice.error, "");
    EXPECT_EQ(choice.madeFrom, "");
}

TEST(DefaultConfigCandidates, ShareTavixAboveTheProgramThenItsOwnFolder) {
    const auto candidates = DefaultConfigCandidates(JoinPath(JoinPath("", "usr"), "bin"));
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0], JoinPath(JoinPath(JoinPath("usr", "share"), "tavix"), "config.ini"));
    EXPECT_EQ(candidates[1], JoinPath(JoinPath("usr", "bin"), "config.ini"));
    EXPECT_TRUE(DefaultConfigCandidates("").empty());
}

}  // namespace
}  // namespace tavix
