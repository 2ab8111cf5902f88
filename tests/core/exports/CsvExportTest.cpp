// The CSV export: its numbers checked against a computation of their own
// (smoothing summed from scratch, the conversion formulas written out), the
// header, the special values and the menu command's steps.
#include "exports/CsvExport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <sstream>
#include <vector>

#include "exports/ExportName.h"
#include "fakes/CommaLocale.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "fakes/TempDir.h"
#include "flight/Conversion.h"
#include "support/ReferenceSmoothing.h"

namespace tavix {
namespace {

constexpr const char* kHeader5 =
    "Voltage(V),Current(A),Throttle(%),Temperature(\xA1\xE6),Motor RPM\n";

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) {
        parts.push_back(part);
    }
    return parts;
}

struct RecordSetup {
    int channels = kUploadChannels;
    int samples = 200;
    std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    std::array<Calibration, kChannelCount> calibration{};
    float gearRate = 1.0f;
    int poles = 14;
};

// A record whose channels rise and fall at different rates, with RPM periods
// of 0 (no reading) at the start.
std::unique_ptr<FlightData> MakeRecord(const RecordSetup& setup) {
    auto record = std::make_unique<FlightData>();
    record->record.header.channels = setup.channels;
    record->record.header.samples = setup.samples;
    record->record.header.gearRate = setup.gearRate;
    record->record.header.poles = setup.poles;
    record->record.calibration = setup.calibration;
    record->record.dataLoaded = true;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        for (int j = 0; j < setup.samples; ++j) {
            const int wave = (j * (ch + 3)) % 97;
            // The motor starts after three samples and loses its reading now and then.
            const bool noReading = j < 3 || j % 13 == 7;
            record->record.raw[ch][j] =
                ch == kMotorRpm ? (noReading ? 0 : 500 + 40 * wave) : 20 + wave;
        }
    }
    SmoothRecord(record->record, setup.windows, record->smoothed);
    return record;
}

// The value of channel `ch` at sample j written out from the rules: the mean
// over the window, then k and c in single precision; the throttle at most 100;
// the RPM 30 / (s x k4 x (P x G)) from the mean of the non-zero periods.
double Expected(const FlightRecord& record, const RecordSetup& setup, int ch, int j) {
    std::vector<std::int32_t> smoothed(static_cast<std::size_t>(setup.samples));
    if (ch == kMotorRpm) {
        test::ReferenceSmoothPeriods(record.raw[ch].data(), setup.samples, setup.windows[ch],
                                     smoothed.data());
    } else {
        test::ReferenceSmoothChannel(record.raw[ch].data(), setup.samples, setup.windows[ch],
                                     smoothed.data());
    }
    const float s = static_cast<float>(smoothed[static_cast<std::size_t>(j)]);
    if (ch == kMotorRpm) {
        if (s == 0.0f) {
            return 0.0;  // no rotation reading in the window: standing still
        }
        const float pg = static_cast<float>(setup.poles) * setup.gearRate;
        return 30.0f / (s * setup.calibration[ch].k * pg);
    }
    const float v = s * setup.calibration[ch].k + setup.calibration[ch].c;
    return ch == kThrottle && v > 100.0f ? 100.0f : v;
}

void ExpectMatchesIndependentComputation(const RecordSetup& setup) {
    const auto record = MakeRecord(setup);
    const std::vector<std::string> lines = Split(CsvText(*record), '\n');
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(setup.samples) + 1);
    for (int j = 0; j < setup.samples; ++j) {
        const std::vector<std::string> values = Split(lines[static_cast<std::size_t>(j) + 1], ',');
        ASSERT_EQ(values.size(), static_cast<std::size_t>(setup.channels)) << "row " << j;
        for (int ch = 0; ch < setup.channels; ++ch) {
            const double expected = Expected(record->record, setup, ch, j);
            const std::string& text = values[static_cast<std::size_t>(ch)];
            if (std::isinf(expected)) {
                EXPECT_EQ(text, "inf") << "row " << j << " channel " << ch;
                continue;
            }
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.2f", expected);
            if (ch == kMotorRpm) {
                // The curves form the same product in another order; the last
                // bit of a float may differ, never a visible digit beyond that.
                EXPECT_NEAR(std::stod(text), expected, 0.0051 + std::abs(expected) * 1e-6)
                    << "row " << j;
            } else {
                EXPECT_EQ(text, buffer) << "row " << j << " channel " << ch;
            }
        }
    }
}

TEST(CsvText, NumbersMatchAnIndependentComputation) {
    RecordSetup plain;
    plain.calibration = {{{0.1f, 0.0f}, {0.25f, -1.5f}, {1.0f, 0.0f}, {0.5f, 3.25f}, {1e-5f, 0}}};

    RecordSetup offsets = plain;  // calibration offsets of every sign
    offsets.calibration = {
        {{0.0123f, 7.5f}, {-0.3f, 2.0f}, {0.9f, -4.0f}, {1.7f, -40.0f}, {3e-6f, 9}}};
    offsets.poles = 12;
    offsets.gearRate = 4.25f;

    RecordSetup windows = plain;  // windows that fill up, slide and never fill
    windows.windows = {4, 16, 2, 500, 3, 1, 1, 1};

    RecordSetup throttle = plain;  // throttle scaled far above 100
    throttle.calibration[kThrottle] = {1.4f, 2.0f};

    RecordSetup eight = plain;  // all eight channels, reserves included
    eight.channels = 8;
    eight.calibration[5] = {2.0f, 1.0f};
    eight.calibration[6] = {-0.5f, 0.0f};
    eight.calibration[7] = {0.01f, 100.0f};

    RecordSetup single = plain;  // one sample only
    single.samples = 1;

    for (const RecordSetup* setup : {&plain, &offsets, &windows, &throttle, &eight, &single}) {
        SCOPED_TRACE(static_cast<int>(setup - &plain));
        ExpectMatchesIndependentComputation(*setup);
    }
}

TEST(CsvText, HeaderAndLinesOfAFiveChannelRecord) {
    RecordSetup setup;
    setup.samples = 3;
    setup.calibration[kVoltage] = {0.01f, 0.0f};
    setup.calibration[kMotorRpm] = {1e-6f, 0.0f};
    const auto record = MakeRecord(setup);
    const std::string text = CsvText(*record);
    EXPECT_EQ(text.substr(0, std::string(kHeader5).size()), kHeader5);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
    // Raw voltage 20, 23, 26 at k = 0.01; the first three RPM periods are 0.
    // A motor that stands still reads 0 RPM.
    EXPECT_EQ(Split(text, '\n')[1], "0.20,0.00,0.00,0.00,0.00");
    EXPECT_EQ(Split(text, '\n')[3], "0.26,0.00,0.00,0.00,0.00");

    RecordSetup eight = setup;
    eight.channels = 8;
    EXPECT_EQ(Split(CsvText(*MakeRecord(eight)), '\n')[0] + "\n",
              "Voltage(V),Current(A),Throttle(%),Temperature(\xA1\xE6),Motor RPM,"
              "Reserve 1,Reserve 2,Reserve 3\n");
}

TEST(CsvText, ThrottleIsClampedAndRpmUsesTheSinglePrecisionProductOfPolesAndGear) {
    RecordSetup setup;
    setup.samples = 1;
    auto record = MakeRecord(setup);
    // 1047 x 0.1 = 104.7 %: written as the top of the scale.
    record->record.calibration[kThrottle] = {0.1f, 0.0f};
    record->smoothed[kThrottle][0] = 1047;
    // 30 / (100 x 1e-5 x 39) = 769.23; with the gear cut to 3 it would be 1000.00.
    record->record.calibration[kMotorRpm] = {1e-5f, 0.0f};
    record->smoothed[kMotorRpm][0] = 100;
    record->record.header.gearRate = 3.9f;
    record->record.header.poles = 10;
    EXPECT_EQ(Split(CsvText(*record), '\n')[1], "0.00,0.00,100.00,0.00,769.23");

    // The product is the curves' product: gear 39 with 1 pole gives the same column.
    const std::string viaProduct = CsvText(*record);
    record->record.header.gearRate = 39.0f;
    record->record.header.poles = 1;
    EXPECT_EQ(CsvText(*record), viaProduct);
}

TEST(CsvText, SamplesAndChannelsBeyondTheRecordMemoryAreNotRead) {
    RecordSetup setup;
    setup.samples = 4;
    auto record = MakeRecord(setup);
    record->record.header.channels = 12;
    record->record.header.samples = kMaxSamples + 100;
    const std::vector<std::string> lines = Split(CsvText(*record), '\n');
    EXPECT_EQ(lines.size(), static_cast<std::size_t>(kMaxSamples) + 1);
    EXPECT_EQ(Split(lines.back(), ',').size(), static_cast<std::size_t>(kChannelCount));

    record->record.header.channels = 0;
    EXPECT_EQ(CsvText(*record).substr(0, 2), "\n\n");
}

TEST(CsvValue, FormatsLikePrintfAndSpellsSpecialValuesOneWay) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.0f, "0.00"},
        {-0.0f, "-0.00"},
        {12.345f, "12.35"},
        {0.125f, "0.12"},
        {-3.14159f, "-3.14"},
        {250000.4f, "250000.41"},
        {1e20f, "100000002004087734272.00"},
        {inf, "inf"},
        {-inf, "-inf"},
        {nan, "nan"},
        {-nan, "nan"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CsvValue(c.value), c.text) << c.value;
    }
    // A decimal comma in the user's locale does not reach the file.
    const test::CommaLocale locale;
    if (!locale.Active()) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    EXPECT_EQ(CsvValue(1.5f), "1.50");
}

TEST(ExportName, ProposesTheDateAndCountsConfirmedDialogsOnly) {
    ExportNameCounter counter;
    const LocalTime day{2014, 3, 7, 12, 0, 0};
    EXPECT_EQ(counter.Propose(day), "Untitled_2014_3_7_1");
    EXPECT_EQ(counter.Propose(day), "Untitled_2014_3_7_1");
    counter.Confirm();
    EXPECT_EQ(counter.Propose({2015, 11, 24, 0, 0, 0}), "Untitled_2015_11_24_2");
}

TEST(ExportName, DefaultExtensionOnlyWhenNoneWasTyped) {
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {
        {"/tmp/flight", "/tmp/flight.csv"},
        {"/tmp/flight.csv", "/tmp/flight.csv"},
        {"/tmp/flight.txt", "/tmp/flight.txt"},
        {"/tmp/a.b/flight", "/tmp/a.b/flight.csv"},
        {"flight.", "flight."},
        {"/tmp/dir/", "/tmp/dir/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithDefaultExtension(c.typed, ".csv"), c.written) << c.typed;
    }
}

class ExportCsvTest : public ::testing::Test {
protected:
    ExportCsvTest() {
        RecordSetup setup;
        setup.samples = 5;
        setup.calibration[kVoltage] = {0.1f, 0.0f};
        record = MakeRecord(setup);
    }

    CsvExportResult Export(std::optional<std::string> answer) {
        return ExportCsv(
            *record, prompt, clock, counter,
            [&](const std::string& proposed, CsvOptions& chosen) {
                proposals.push_back(proposed);
                chosen = options;
                return answer;
            },
            &saved);
    }

    test::TempDir dir;
    test::FakePrompt prompt;
    test::FixedClock clock;
    ExportNameCounter counter;
    std::unique_ptr<FlightData> record;
    std::vector<std::string> proposals;
    std::string saved;
    CsvOptions options;  // the file type the dialog answers with
};

TEST_F(ExportCsvTest, WithoutARecordNothingIsAsked) {
    record->record.dataLoaded = false;
    EXPECT_EQ(Export(dir.File("x.csv")), CsvExportResult::NoRecord);
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgNoRecordForCsv});
    EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(proposals.empty());
    EXPECT_TRUE(dir.Names().empty());
}

TEST_F(ExportCsvTest, ConfirmedDialogsCountAndWriteTheTextCancelledOnesDoNot) {
    EXPECT_EQ(Export(std::nullopt), CsvExportResult::Cancelled);
    EXPECT_EQ(Export(dir.File("first")), CsvExportResult::Saved);
    EXPECT_EQ(saved, dir.File("first.csv"));
    EXPECT_EQ(Export(dir.File("second.txt")), CsvExportResult::Saved);
    EXPECT_EQ(proposals, (std::vector<std::string>{"Untitled_2014_3_7_1", "Untitled_2014_3_7_1",
                                                   "Untitled_2014_3_7_2"}));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"first.csv", "second.txt"}));
    EXPECT_EQ(test::ReadBytes(dir.File("first.csv")), CsvText(*record));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ExportCsvTest, TheSecondFileTypeWritesUtf8WithATimeColumn) {
    options = CsvOptions{true, true};
    ASSERT_EQ(Export(dir.File("tools")), CsvExportResult::Saved);
    EXPECT_EQ(test::ReadBytes(dir.File("tools.csv")), CsvText(*record, options));
    EXPECT_NE(test::ReadBytes(dir.File("tools.csv")), CsvText(*record));
}

TEST(CsvText, Utf8AndTimeChangeOnlyTheHeaderAndTheFirstColumn) {
    RecordSetup setup;
    setup.samples = 4;
    setup.calibration[kVoltage] = {0.01f, 0.0f};
    const auto record = MakeRecord(setup);
    record->record.header.rate = 3;
    const std::vector<std::string> plain = Split(CsvText(*record), '\n');
    const std::vector<std::string> both = Split(CsvText(*record, {true, true}), '\n');
    ASSERT_EQ(both.size(), plain.size());
    EXPECT_EQ(both[0],
              "Time(s),Voltage(V),Current(A),Throttle(%),Temperature(\xE2\x84\x83),Motor RPM");
    // Sample j at j / 3 s.
    const char* times[] = {"0.000", "0.333", "0.667", "1.000"};
    for (std::size_t j = 0; j < 4; ++j) {
        EXPECT_EQ(both[j + 1], std::string(times[j]) + "," + plain[j + 1]);
    }
    // Each option alone.
    EXPECT_EQ(Split(CsvText(*record, {true, false}), '\n')[0],
              "Voltage(V),Current(A),Throttle(%),Temperature(\xE2\x84\x83),Motor RPM");
    EXPECT_EQ(Split(CsvText(*record, {false, true}), '\n')[0], "Time(s)," + plain[0]);
    // Without a rate the time column counts samples.
    record->record.header.rate = 0;
    EXPECT_EQ(Split(CsvText(*record, {false, true}), '\n')[3].substr(0, 6), "2.000,");
}

TEST_F(ExportCsvTest, AFileThatCannotBeWrittenIsReported) {
    EXPECT_EQ(Export(dir.File("missing/dir/out.csv")), CsvExportResult::Failed);
    std::filesystem::create_directory(dir.File("taken.csv"));
    EXPECT_EQ(Export(dir.File("taken")), CsvExportResult::Failed);
    EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{kMsgCantOpenFile, kMsgCantOpenFile}));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("taken.csv")));
    // Both dialogs were confirmed.
    EXPECT_EQ(counter.Next(), 3);
}

}  // namespace
}  // namespace tavix
