#include "analysis/FlightCompare.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "analysis/AnalysisMessages.h"
#include "analysis/FlightQuantities.h"
#include "core/analysis/AnalysisTestData.h"
#include "fakes/CommaLocale.h"

namespace tavix {
namespace {

using test::MakeAnalysisRecord;

// A flight of the demo calibration: 12 V falling 0.1 V every 10 samples,
// 10 A, and throttle at 5 % (raw 10) until `rise`, then 30 % (raw 60); raw 40
// is exactly 20 %. Temperature 40 C, a steady RPM.
struct TestFlight {
    std::unique_ptr<FlightData> data;
    std::unique_ptr<SpanIndex> index;
    std::optional<std::vector<NamedValue>> settings;

    TestFlight(int channels, int samples, int rate, int rise = -1, int riseRaw = 60) {
        data = MakeAnalysisRecord(channels, samples, rate, [=](int ch, int j) {
            switch (ch) {
                case kVoltage:
                    return 120 - j / 10;
                case kCurrent:
                    return 20;
                case kThrottle:
                    return rise >= 0 && j >= rise ? riseRaw : 10;
                case kTemperature:
                    return 100;
                default:
                    return 5000;
            }
        });
        data->Convert({1, 1, 1, 1, 1, 1, 1, 1});
        index = std::make_unique<SpanIndex>(*data);
    }
    ComparedFlight Compared(std::string name) const {
        return {std::move(name), settings, index.get()};
    }
};

TEST(FlightCompare, AlignsEachFlightInItsOwnSeconds) {
    struct Flight {
        int rate, samples, rise;
        int riseRaw = 60;
    };
    struct Want {
        int sample;
        double seconds;
        bool found;
        double offset;
    };
    struct Case {
        const char* what;
        AlignRequest request;
        std::vector<Flight> flights;
        std::vector<Want> want;
    };
    const Case cases[] = {
        {"start", {}, {{10, 300, 50}, {20, 600, 10}}, {{0, 0, true, 0}, {0, 0, true, 0}}},
        {"throttle, rates differ",
         {AlignMode::Throttle, 20.0, {}},
         {{10, 300, 50}, {25, 600, 50}, {20, 400, 40}},
         {{50, 5.0, true, 0}, {50, 2.0, true, 3.0}, {40, 2.0, true, 3.0}}},
        {"reached exactly, and at the first sample",
         {AlignMode::Throttle, 20.0, {}},
         {{10, 300, 30, 40}, {10, 300, 0}},
         {{30, 3.0, true, 0}, {0, 0, true, 3.0}}},
        {"a level a rounding above the sample counts as reached",
         {AlignMode::Throttle, 20.00005, {}},
         {{10, 300, 30, 40}},
         {{30, 3.0, true, 0}}},
        {"never reached: at the start, flagged",
         {AlignMode::Throttle, 35.0, {}},
         {{10, 300, 50, 80}, {10, 300, 50}},
         {{50, 5.0, true, 0}, {0, 0, false, 5.0}}},
        {"cursor A, clamped, missing",
         {AlignMode::CursorA, 0, {20, 9999}},
         {{10, 300, -1}, {10, 300, -1}, {10, 300, -1}},
         {{20, 2.0, true, 0}, {299, 29.9, true, -27.9}, {0, 0, true, 2.0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::unique_ptr<TestFlight>> owned;
        std::vector<ComparedFlight> flights;
        for (const Flight& f : c.flights) {
            owned.push_back(std::make_unique<TestFlight>(5, f.samples, f.rate, f.rise, f.riseRaw));
            flights.push_back(owned.back()->Compared("f"));
        }
        const std::vector<FlightAlignment> got = AlignFlights(flights, c.request);
        ASSERT_EQ(got.size(), c.want.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].sample, c.want[i].sample) << i;
            EXPECT_NEAR(got[i].seconds, c.want[i].seconds, 1e-9) << i;
            EXPECT_EQ(got[i].found, c.want[i].found) << i;
            EXPECT_NEAR(got[i].offsetSeconds, c.want[i].offset, 1e-9) << i;
        }
    }
    // A record without a throttle channel never reaches any level.
    const TestFlight ref(5, 100, 10, 10);
    const TestFlight noThrottle(2, 100, 10);
    const auto got = AlignFlights({ref.Compared("a"), noThrottle.Compared("b")},
                                  {AlignMode::Throttle, 20.0, {}});
    EXPECT_FALSE(got[1].found);
}

// The whole flight's figures are the record page's; channels a record lacks
// (or a missing rate) leave theirs empty.
TEST(FlightCompare, WholeFiguresAreThoseOfTheRecordPage) {
    struct Case {
        int channels, samples, rate;
    };
    for (const Case& c : {Case{5, 16384, 30}, Case{3, 700, 10}, Case{2, 50, 0}}) {
        SCOPED_TRACE(c.channels);
        const TestFlight f(c.channels, c.samples, c.rate, 5);
        const FigureValues v = WholeFigures(*f.index);
        const FlightQuantities q = ComputeQuantities(*f.index);
        const SpanStatistics whole = f.index->Whole();
        EXPECT_EQ(At(v, Figure::Duration), q.seconds);
        EXPECT_EQ(At(v, Figure::Capacity), q.capacityMah);
        EXPECT_EQ(At(v, Figure::Energy), q.energyWh);
        EXPECT_EQ(At(v, Figure::AverageCurrent), q.averageCurrent);
        EXPECT_EQ(At(v, Figure::MaxPower), std::optional<double>(q.maxPower));
        EXPECT_EQ(At(v, Figure::MaxCurrent), std::optional<double>(whole.quantities[kCurrent].max));
        EXPECT_EQ(At(v, Figure::MinVoltage), std::optional<double>(q.minVoltage));
        EXPECT_EQ(At(v, Figure::MinCellVoltage), q.minCellVoltage);
        EXPECT_EQ(At(v, Figure::MaxTemperature).has_value(), c.channels > kTemperature);
        EXPECT_EQ(At(v, Figure::MaxRpm).has_value(), c.channels > kMotorRpm);
        EXPECT_EQ(At(v, Figure::Duration).has_value(), c.rate > 0);
    }
}

// The reference's span, moved by each flight's offset into its own samples.
TEST(FlightCompare, SpanFiguresFollowTheOffsetAndAreClamped) {
    const TestFlight ref(5, 300, 10, 50);    // throttle at 5.0 s
    const TestFlight other(5, 400, 20, 40);  // throttle at 2.0 s: offset 3 s
    const std::vector<ComparedFlight> flights{ref.Compared("a"), other.Compared("b")};
    const auto aligned = AlignFlights(flights, {AlignMode::Throttle, 20.0, {}});
    struct Case {
        double from, to;
        int first, last;  // of the other flight; -1: nothing of it
    };
    const Case cases[] = {
        {6.0, 4.0, 20, 60},   // 1 s .. 3 s of its own, cursors in either order
        {0.0, 10.0, 0, 140},  // starts 3 s before it: clamped to its start
        {20.0, 30.0, 340, 399},
        {23.0, 26.0, -1, -1},  // after its 20 s
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        const auto span = CompareSpan(flights, aligned, {c.from, c.to});
        if (c.first < 0) {
            EXPECT_EQ(span[1], FigureValues{});
            continue;
        }
        const SpanStatistics want = other.index->Span(c.first, c.last);
        EXPECT_EQ(At(span[1], Figure::Duration), want.seconds);
        EXPECT_EQ(At(span[1], Figure::Capacity), want.capacityMah);
        EXPECT_EQ(At(span[1], Figure::MinVoltage),
                  std::optional<double>(want.quantities[kVoltage].min));
    }
    // The cells are the flight's: a span whose own highest voltage (8 V)
    // would be 2 cells divides by the 3 cells of the flight's 12 V.
    const auto sagging = MakeAnalysisRecord(
        5, 100, 10, [](int ch, int j) { return ch == kVoltage ? (j < 50 ? 120 : 80) : 20; });
    const SpanIndex index(*sagging);
    EXPECT_NEAR(*At(SpanFigures(index, 6.0, 9.0), Figure::MinCellVoltage), 8.0 / 3, 1e-6);
}

TEST(FlightCompare, DifferenceToTheReference) {
    struct Case {
        std::optional<double> value, reference, absolute, percent;
    };
    const Case cases[] = {
        {110.0, 100.0, 10.0, 10.0},
        {90.0, 100.0, -10.0, -10.0},
        {-5.0, -10.0, 5.0, 50.0},  // percent of the reference's size, sign of the change
        {5.0, 0.0, 5.0, std::nullopt},
        {std::nullopt, 1.0, std::nullopt, std::nullopt},
        {1.0, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const FigureDifference d = DifferenceOf(c.value, c.reference);
        EXPECT_EQ(d.absolute, c.absolute);
        EXPECT_EQ(d.percent, c.percent);
    }
}

TEST(FlightCompare, SettingsThatDiffer) {
    TestFlight a(5, 100, 10), b(5, 100, 10), c(5, 100, 10);
    auto compare = [&] {
        return CompareSettings({a.Compared("a"), b.Compared("b"), c.Compared("c")});
    };
    EXPECT_FALSE(compare().Comparable());

    a.settings = {{{"LVC", "3.0 V"}, {"Brake", "Off"}}};
    b.settings = {{{"lvc", "3.0 V"}, {"Brake", "Off"}}};  // names match blanks and case ignored
    SettingsComparison same = compare();
    EXPECT_TRUE(same.Comparable());
    EXPECT_TRUE(same.lines.empty());
    EXPECT_EQ(same.stored, (std::vector<bool>{true, true, false}));

    // Another series: its own parameter comes after the reference's order.
    c.settings = {{{"Timing", "15 deg"}, {"Brake", "On"}, {"LVC", "3.0 V"}}};
    const SettingsComparison differ = compare();
    ASSERT_EQ(differ.lines.size(), 2u);
    EXPECT_EQ(differ.lines[0].name, "Brake");
    EXPECT_EQ(differ.lines[0].values, (std::vector<std::string>{"Off", "Off", "On"}));
    EXPECT_EQ(differ.lines[1].name, "Timing");
    EXPECT_EQ(differ.lines[1].values, (std::vector<std::string>{"", "", "15 deg"}));

    a.settings.reset();  // the reference carries none
    EXPECT_FALSE(compare().Comparable());
    EXPECT_TRUE(compare().lines.empty());
}

TEST(FlightCompare, TableAndCsv) {
    const TestFlight ref(5, 300, 10, 50);
    const TestFlight shorter(3, 200, 20);  // no temperature, no RPM; never 20 %
    const std::vector<ComparedFlight> flights{ref.Compared("ref.dat"),
                                              shorter.Compared("=b,1.dat")};
    const FlightComparison comparison =
        CompareFlights(flights, {AlignMode::Throttle, 20.0, {}}, SpanRequest{5.0, 6.0});

    const CompareTable table = BuildCompareTable(flights, comparison);
    auto row = [&](const std::string& caption) {
        for (const CompareTable::Row& r : table.rows) {
            if (r.caption == caption) {
                return r;
            }
        }
        ADD_FAILURE() << caption;
        return CompareTable::Row{};
    };
    EXPECT_EQ(row(kCaptionAlignedAt).values,
              (std::vector<std::string>{"5.00", std::string("0.00 (") + kTextNotReached + ")"}));
    EXPECT_EQ(row("Duration (s)").values, (std::vector<std::string>{"30.00", "10.00"}));
    EXPECT_EQ(row("Duration (s)").differences[1], "-20.00 (-66.7 %)");
    EXPECT_EQ(row("Min.Voltage (V)").differences[1], "+1.00 (+11.0 %)");
    // 83.3 and 27.8 mAh are shown as 83 and 28: they differ by 55 (not 55.6).
    EXPECT_EQ(row("Capacity (mAh)").differences[1], "-55 (-66.7 %)");
    EXPECT_EQ(row("Max.Temperature (C)").differences[1], kNoValue);
    EXPECT_EQ(row(kCaptionBetweenCursors).kind, CompareRowKind::Section);
    EXPECT_NE(CompareTableText(table).find("-20.00 (-66.7 %)"), std::string::npos);

    // 30 s of 10 A is 83.3 mAh; the mean voltage 10.55 V gives 0.879 Wh;
    // 12 V is 3 cells. RPM 30 / (14 x 0.000001 x 5000).
    const test::CommaLocale comma;
    EXPECT_EQ(CompareCsv(flights, comparison),
              std::string(kCompareCsvHeader) +
                  "\r\n"
                  "ref.dat,5.000,30.000,83.3,0.879,10.00,10.00,120.0,9.10,3.033,40.0,428.6\r\n"
                  "\"'=b,1.dat\",0.000,10.000,27.8,0.307,10.00,10.00,120.0,10.10,3.367,,\r\n");
}

}  // namespace
}  // namespace tavix
