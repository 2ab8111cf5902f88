// The File menu's five recent files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/RecentFileList.h"

namespace tavix {
namespace {

TEST(RecentFileList, NewestFirstFiveAtMostNoRepeats) {
    RecentFileList list(5);
    for (const char* f : {"a.dat", "b.dat", "c.dat", "d.dat", "e.dat", "f.dat"}) {
        list.Add(f);
    }
    EXPECT_EQ(list.Entries(),
              (std::vector<std::string>{"f.dat", "e.dat", "d.dat", "c.dat", "b.dat"}));
    list.Add("c.dat");
    EXPECT_EQ(list.Entries(),
              (std::vector<std::string>{"c.dat", "f.dat", "e.dat", "d.dat", "b.dat"}));
    list.Remove("f.dat");
    EXPECT_EQ(list.Entries().size(), 4u);
    EXPECT_EQ(list.Entries()[1], "e.dat");
}

TEST(RecentFileList, StoredEntriesAreCleanedOnLoad) {
    RecentFileList list(5);
    list.Assign({"a.dat", "", "b.dat", "a.dat", "c.dat", "d.dat", "e.dat", "f.dat"});
    EXPECT_EQ(list.Entries(),
              (std::vector<std::string>{"a.dat", "b.dat", "c.dat", "d.dat", "e.dat"}));
}

}  // namespace
}  // namespace tavix
