#include "device/DeviceVersion.h"

#include <gtest/gtest.h>

#include <string>

namespace tavix {
namespace {

// What each page of the program reads off a version string.
TEST(DeviceVersion, SeriesHardwareCodeAndLoggerFlag) {
    using namespace std::string_literals;
    struct Case {
        std::string version;
        int series;
        const char* name;
        std::string hardware;
        bool logger;
    };
    const Case cases[] = {
        {"TVKA20141L400312", kSeriesTarrow, "Tarrow", "1L40", true},
        {"TVKB20140V200312", kSeriesVelmor, "Velmor", "0V20", false},
        {"TVKC20141C300312", kSeriesOstrin, "Ostrin", "1C30", true},
        {"TVZA20140Z100312", kSeriesPeldan, "Peldan", "0Z10", false},
        // Characters 2 and 3 decide, case and order matter.
        {"TVka20141L400312", kSeriesUnknown, "unknown", "1L40", true},
        {"TVAK20141L400312", kSeriesUnknown, "unknown", "1L40", true},
        {"TVZB20141L400312", kSeriesUnknown, "unknown", "1L40", true},
        // Short or empty versions: what is there, never past the end.
        {"TVKA2014", kSeriesTarrow, "Tarrow", "", false},
        {"TVKA20141L", kSeriesTarrow, "Tarrow", "1L", true},
        {"TVK", kSeriesUnknown, "unknown", "", false},
        {"", kSeriesUnknown, "unknown", "", false},
        // The zero bytes a device sends travel with the version.
        {"TVKA2014\0L400312"s, kSeriesTarrow, "Tarrow", "\0L40"s, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(SeriesOf(c.version), c.series);
        EXPECT_STREQ(SeriesName(SeriesOf(c.version)), c.name);
        EXPECT_EQ(HardwareCodeOf(c.version), c.hardware);
        EXPECT_EQ(HasLogger(c.version), c.logger);
    }
}

}  // namespace
}  // namespace tavix
