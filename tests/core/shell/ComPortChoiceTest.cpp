#include "shell/ComPortChoice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavix {
namespace {

TEST(ComPortChoice, ListsSixteenPortsFromOne) {
    EXPECT_EQ(ComPortChoice::EntryText(0), "COM 1");
    EXPECT_EQ(ComPortChoice::EntryText(15), "COM 16");
}

TEST(ComPortChoice, OpensOnTheStoredPortWithApplyDisabled) {
    ComPortChoice choice(3, nullptr);
    EXPECT_EQ(choice.Selection(), 2);
    EXPECT_EQ(choice.SelectedPort(), 3);
    EXPECT_FALSE(choice.ApplyEnabled());
    for (int outside : {0, 17, -4}) {
        EXPECT_EQ(ComPortChoice(outside, nullptr).Selection(), -1) << outside;
    }
}

TEST(ComPortChoice, ApplyStoresAndStaysOpenThenCancelKeepsIt) {
    std::vector<int> stored;
    ComPortChoice choice(3, [&](int port) { stored.push_back(port); });
    choice.Select(6);
    EXPECT_TRUE(choice.ApplyEnabled());
    choice.Apply();
    EXPECT_FALSE(choice.ApplyEnabled());
    EXPECT_EQ(stored, std::vector<int>{7});
    EXPECT_EQ(choice.StoredPort(), 7);
    // Cancel only closes the window: nothing is taken back.
    EXPECT_EQ(stored, std::vector<int>{7});
}

TEST(ComPortChoice, OkWithoutTouchingTheListWritesTheSamePortAgain) {
    std::vector<int> stored;
    ComPortChoice choice(5, [&](int port) { stored.push_back(port); });
    choice.Ok();
    EXPECT_EQ(stored, std::vector<int>{5});
}

TEST(ComPortChoice, NoEntryChosenKeepsTheStoredPort) {
    std::vector<int> stored;
    ComPortChoice choice(42, [&](int port) { stored.push_back(port); });
    choice.Apply();
    choice.Ok();
    EXPECT_TRUE(stored.empty());  // port 0 would be written otherwise
    EXPECT_EQ(choice.StoredPort(), 42);
    choice.Select(99);  // not an entry
    EXPECT_EQ(choice.Selection(), -1);
    choice.Select(0);
    choice.Ok();
    EXPECT_EQ(stored, std::vector<int>{1});
}

TEST(ComPortChoice, APortPresentIsStoredByItsPathThenAListEntryByNumber) {
    std::vector<int> numbers;
    std::vector<std::string> paths;
    ComPortChoice choice(3, [&](int port) { numbers.push_back(port); });
    choice.SetStorePath([&](const std::string& path) {
        paths.push_back(path);
        return path == "/dev/ttyUSB1" ? 2 : 17;
    });
    choice.SelectPath("/dev/serial/by-id/usb-a", 0);
    EXPECT_EQ(choice.Selection(), -1);
    EXPECT_TRUE(choice.ApplyEnabled());
    choice.Apply();
    EXPECT_EQ(paths, std::vector<std::string>{"/dev/serial/by-id/usb-a"});
    EXPECT_EQ(choice.StoredPort(), 17);
    EXPECT_TRUE(numbers.empty());

    choice.SelectPath("/dev/ttyUSB1", 2);  // the list follows: COM 2
    EXPECT_EQ(choice.Selection(), 1);
    choice.Select(4);  // a list entry again: stored by number, the path forgotten
    EXPECT_EQ(choice.SelectedPath(), "");
    choice.Ok();
    EXPECT_EQ(numbers, std::vector<int>{5});
    EXPECT_EQ(paths.size(), 1u);
}

}  // namespace
}  // namespace tavix
