#include "platform/QtTimerHost.h"

#include <gtest/gtest.h>
#include <QTest>

#include <algorithm>
#include <string>
#include <vector>

namespace tavix {
namespace {

TEST(QtTimerHost, TimersTickUntilStoppedAndKeepTheirIds) {
    QtTimerHost host;
    std::vector<int> fired;
    host.SetHandler([&](int id) {
        fired.push_back(id);
        if (id == 3 && std::count(fired.begin(), fired.end(), 3) == 3) {
            host.StopTimer(3);  // a session stops its timer from its own handler
        }
    });
    host.StartTimer(3, 10);
    host.StartTimer(55, 25);
    EXPECT_TRUE(host.IsRunning(3));
    EXPECT_FALSE(host.IsRunning(4));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return std::count(fired.begin(), fired.end(), 55) >= 2; }, 3000));
    EXPECT_EQ(std::count(fired.begin(), fired.end(), 3), 3);
    EXPECT_FALSE(host.IsRunning(3));
    host.StopTimer(55);
    host.StopTimer(99);  // never started: nothing happens
    const auto count = fired.size();
    QTest::qWait(60);
    EXPECT_EQ(fired.size(), count);
}

TEST(QtTimerHost, PostRunsAfterTheCurrentHandlerReturns) {
    QtTimerHost host;
    std::vector<std::string> order;
    host.SetHandler([&](int) {
        host.StopTimer(14);
        host.Post([&] { order.push_back("posted"); });
        order.push_back("handler done");
    });
    host.StartTimer(14, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return order.size() == 2; }, 3000));
    EXPECT_EQ(order, (std::vector<std::string>{"handler done", "posted"}));
}

TEST(QtTimerHost, PostedTaskOfADestroyedHostNeverRuns) {
    bool ran = false;
    {
        QtTimerHost host;
        host.Post([&] { ran = true; });
    }
    QTest::qWait(20);
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace tavix
