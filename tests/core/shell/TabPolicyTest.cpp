#include "shell/TabPolicy.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

TEST(TabPolicy, TabsAndButtonsFollowTheDeviceAndTheRecord) {
    using Tabs = std::array<bool, kTabCount>;
    struct Case {
        const char* name;
        DeviceStatus status;
        Tabs tabs;
        bool setCom, openDevice, upload, clear;
    };
    const Case cases[] = {
        {"nothing yet", {}, {true, false, false, false, false}, true, true, false, false},
        {"identifying",
         {true, false, false, false},
         {true, false, false, false, false},
         false,
         false,
         false,
         false},
        {"with logger",
         {false, true, true, false},
         {true, true, true, true, true},
         false,
         true,
         true,
         true},
        {"without logger",
         {false, true, false, false},
         {true, true, false, false, true},
         false,
         true,
         false,
         false},
        {"without logger, a record loaded",
         {false, true, false, true},
         {true, true, false, true, true},
         false,
         true,
         false,
         false},
        {"no device, a record loaded",
         {false, false, false, true},
         {true, false, false, true, false},
         true,
         true,
         false,
         false},
        {"identifying again while connected",
         {true, true, true, false},
         {true, true, true, true, true},
         false,
         false,
         true,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MainFormControls got = TabPolicy(c.status);
        EXPECT_EQ(got.tabs, c.tabs);
        EXPECT_EQ(got.setComPortEnabled, c.setCom);
        EXPECT_EQ(got.openDeviceEnabled, c.openDevice);
        EXPECT_EQ(got.uploadEnabled, c.upload);
        EXPECT_EQ(got.clearEnabled, c.clear);
    }
}

}  // namespace
}  // namespace tavix
