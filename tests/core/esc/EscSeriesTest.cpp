// The series tables as the command line and the parameter files use them:
// names and values found the way a user types them.
#include <gtest/gtest.h>

#include "device/DeviceVersion.h"
#include "esc/EscSeries.h"

namespace tavix {
namespace {

TEST(EscSeries, NamesAndValuesAreFoundAsAUserTypesThem) {
    struct Case {
        const EscSeriesTable& table;
        const char* name;
        const char* value;
        int entry;  // -1: refused
    };
    const Case cases[] = {
        {VelmorTable(), "brake types", "hard brake", 2},  // "Brake  Types:" on the page
        {VelmorTable(), "Brake  Types", "1", 1},
        {PeldanTable(), "LVC", "12 cells", 12},
        {PeldanTable(), "LVC", "20", 20},
        {PeldanTable(), "LVC", "21", -1},
        {PeldanTable(), "LVC", "-1", -1},
        {OstrinTable(), "Over-heat Protection", "95\xA1\xE6(203F)", 0},
        {OstrinTable(), "Timing Advance", "Auto", 3},
        {TarrowTable(), "PWM Rate", "16KHz", -1},
    };
    for (const Case& c : cases) {
        const int list = FindList(c.table, c.name);
        ASSERT_GE(list, 0) << c.name;
        EXPECT_EQ(FindEntry(c.table.lists[static_cast<std::size_t>(list)], c.value), c.entry)
            << c.name << " = " << c.value;
    }
    EXPECT_EQ(FindList(TarrowTable(), "Cutoff Voltage/Cell"), -1);
}

TEST(EscSeries, EveryListFitsItsPageAndNoTwoShareAByte) {
    for (int series = 0; series < 4; ++series) {
        const EscSeriesTable& table = *SeriesTable(series);
        std::vector<std::size_t> offsets;
        for (const EscList& list : table.lists) {
            EXPECT_LT(list.defaultIndex, static_cast<int>(list.entries.size())) << list.label;
            EXPECT_TRUE(list.hidden || (list.column >= 0 && list.column < table.columns));
            offsets.push_back(list.offset);
        }
        std::sort(offsets.begin(), offsets.end());
        EXPECT_EQ(std::adjacent_find(offsets.begin(), offsets.end()), offsets.end()) << table.name;
        EXPECT_EQ(offsets.front(), 1u);
        EXPECT_EQ(offsets.back(), offsets.size());  // the parameters fill offsets 1..n
    }
    EXPECT_EQ(SeriesTable(4), nullptr);
}

// The registry is the one list of series: its rows come in series order, each
// under the name identification gives its series, and the lookup finds them.
TEST(EscSeries, TheRegistryHoldsEverySeriesIdentificationNames) {
    const std::vector<const EscSeriesTable*>& rows = EscSeriesRegistry();
    ASSERT_EQ(rows.size(), 4u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i]->series, static_cast<int>(i)) << rows[i]->name;
        EXPECT_EQ(rows[i]->name, SeriesName(rows[i]->series));
        EXPECT_EQ(SeriesTable(rows[i]->series), rows[i]);
    }
    EXPECT_EQ(SeriesTable(kSeriesUnknown), nullptr);
}

}  // namespace
}  // namespace tavix
