#include "shell/TabOrder.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavix {
namespace {

// A strip of five tabs with only the given ones enabled (0-based).
TabOrder StripWith(std::initializer_list<int> enabled) {
    TabOrder order(5);
    for (int i = 0; i < 5; ++i) {
        order.EnableTab(i, false);
    }
    for (int i : enabled) {
        order.EnableTab(i, true);
    }
    return order;
}

TEST(TabOrder, FlagsUseTheIndexModuloTheTabCount) {
    TabOrder order(5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(order.IsTabEnabled(i)) << i;
    }
    order.EnableTab(7, false);
    EXPECT_FALSE(order.IsTabEnabled(2));
    EXPECT_FALSE(order.IsTabEnabled(12));
    EXPECT_TRUE(order.IsTabEnabled(1));
    EXPECT_TRUE(order.IsTabEnabled(3));
    order.EnableTab(-3, false);  // a negative index still lands on a tab (2 here)
    order.EnableTab(2, true);
    EXPECT_TRUE(order.IsTabEnabled(-3));
}

TEST(TabOrder, FindsNeighboursWithAndWithoutWrap) {
    // Tabs "1.Welcome", "2.Parameter Setting" and "5.Upgrade" enabled.
    TabOrder order = StripWith({0, 1, 4});
    EXPECT_EQ(order.FindNextEnabledTab(1, false), 4);
    EXPECT_EQ(order.FindNextEnabledTab(4, false), -1);
    EXPECT_EQ(order.FindNextEnabledTab(4, true), 0);
    EXPECT_EQ(order.FindPrevEnabledTab(4, false), 1);
    EXPECT_EQ(order.FindPrevEnabledTab(0, false), -1);
    EXPECT_EQ(order.FindPrevEnabledTab(0, true), 4);
    EXPECT_EQ(order.FindNextEnabledTab(-1, false), 0);

    // Only the start enabled: going round comes back to it and finds nothing.
    TabOrder lone = StripWith({0});
    EXPECT_EQ(lone.FindNextEnabledTab(0, true), -1);
    EXPECT_EQ(lone.FindPrevEnabledTab(0, true), -1);

    // Nothing enabled, and a start outside the strip: the search still ends.
    TabOrder none = StripWith({});
    EXPECT_EQ(none.FindNextEnabledTab(-1, true), -1);
    EXPECT_EQ(none.FindPrevEnabledTab(9, true), -1);
}

TEST(TabOrder, SelectTabNotifiesAndMayBeRefused) {
    TabOrder order(5);
    std::vector<std::string> calls;
    int answer = 0;
    order.SetChangingHandler([&](int from, int to) {
        calls.push_back("changing " + std::to_string(from) + "->" + std::to_string(to));
        return answer;
    });
    order.SetChangedHandler(
        [&](int index) { calls.push_back("changed " + std::to_string(index)); });

    EXPECT_TRUE(order.SelectTab(2));
    EXPECT_EQ(order.Current(), 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"changing 0->2", "changed 2"}));

    calls.clear();
    answer = -1;
    EXPECT_FALSE(order.SelectTab(3));
    EXPECT_EQ(order.Current(), 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"changing 2->3"}));

    // Only a negative answer refuses.
    answer = 1;
    EXPECT_TRUE(order.SelectTab(3));
    EXPECT_EQ(order.Current(), 3);

    // No tab there: nothing asked, nothing changed.
    calls.clear();
    EXPECT_FALSE(order.SelectTab(5));
    EXPECT_TRUE(calls.empty());
}

TEST(TabOrder, ArrowKeysSkipDisabledTabsWithoutWrapping) {
    TabOrder order = StripWith({0, 1, 4});
    order.SetCurrent(1);
    std::vector<int> changed;
    order.SetChangedHandler([&](int index) { changed.push_back(index); });

    EXPECT_TRUE(order.OnArrowKey(TabOrder::Arrow::Right));
    EXPECT_EQ(order.Current(), 4);
    // Nothing enabled further right: the key is taken and nothing happens.
    EXPECT_TRUE(order.OnArrowKey(TabOrder::Arrow::Right));
    EXPECT_EQ(order.Current(), 4);
    EXPECT_TRUE(order.OnArrowKey(TabOrder::Arrow::Left));
    EXPECT_EQ(order.Current(), 1);
    EXPECT_EQ(changed, (std::vector<int>{4, 1}));

    TabOrder lone = StripWith({0});
    lone.SetChangedHandler([&](int index) { changed.push_back(index); });
    changed.clear();
    EXPECT_TRUE(lone.OnArrowKey(TabOrder::Arrow::Left));
    EXPECT_TRUE(lone.OnArrowKey(TabOrder::Arrow::Right));
    EXPECT_EQ(lone.Current(), 0);
    EXPECT_TRUE(changed.empty());
}

TEST(TabOrder, ClicksOnDisabledTabsAreRefused) {
    TabOrder order = StripWith({0});
    int asked = 0;
    order.SetChangingHandler([&](int, int) {
        ++asked;
        return 0;
    });
    for (int tab = 1; tab < 5; ++tab) {
        EXPECT_FALSE(order.OnClick(tab));
    }
    EXPECT_FALSE(order.OnClick(-1));  // beside the tabs
    EXPECT_EQ(order.Current(), 0);
    EXPECT_EQ(asked, 0);  // the owner never hears of a refused click

    order.EnableTab(3, true);
    EXPECT_TRUE(order.OnClick(3));
    EXPECT_EQ(order.Current(), 3);
    EXPECT_EQ(asked, 1);
}

TEST(TabOrder, CycleGoesRoundOverEnabledTabs) {
    TabOrder order = StripWith({0, 2, 3});
    order.SetCurrent(3);
    EXPECT_TRUE(order.OnCycle(true));
    EXPECT_EQ(order.Current(), 0);
    EXPECT_TRUE(order.OnCycle(false));
    EXPECT_EQ(order.Current(), 3);
    TabOrder lone = StripWith({0});
    EXPECT_FALSE(lone.OnCycle(true));
}

}  // namespace
}  // namespace tavix
