// Records whose raw samples no logger produces: found at the lowest layer,
// said when the record opens, marked in the logbook.
#include "records/RecordCheck.h"

#include <gtest/gtest.h>

#include "config/CAppConfig.h"
#include "core/records/RecordTestData.h"
#include "fakes/TempDir.h"
#include "records/CTavixDoc.h"
#include "records/Logbook.h"
#include "records/RecordCodec.h"

namespace tavix {
namespace {

// Five channels of plausible samples, with the extremes a logger can write.
std::unique_ptr<FlightRecord> SoundRecord(int samples) {
    auto record = test::MakeRecord(5, samples);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        for (int j = 0; j < samples; ++j) {
            record->raw[ch][j] = j % 2 == 0 ? 0 : kLargestRawSample;
        }
    }
    return record;
}

TEST(FirstImplausibleSample, FindsTheEarliestSampleOfTheRecordsChannels) {
    struct Bad {
        int channel, sample;
        std::int32_t raw;
    };
    struct Case {
        const char* what;
        std::vector<Bad> bad;
        std::optional<std::pair<int, int>> want;  // channel, sample
    };
    const Case cases[] = {
        {"sound", {}, std::nullopt},
        {"one above 16 bits", {{kCurrent, 7, 65536}}, std::pair{kCurrent, 7}},
        {"negative", {{kTemperature, 3, -1}}, std::pair{kTemperature, 3}},
        {"the earliest sample wins",
         {{kVoltage, 9, -5}, {kMotorRpm, 2, 70000}},
         std::pair{kMotorRpm, 2}},
        {"then the lowest channel",
         {{kThrottle, 4, -5}, {kCurrent, 4, -5}},
         std::pair{kCurrent, 4}},
        {"a channel the record does not have", {{6, 1, -5}}, std::nullopt},
        {"a sample after the record's last", {{kVoltage, 20, -5}}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto record = SoundRecord(20);
        for (const Bad& b : c.bad) {
            record->raw[b.channel][b.sample] = b.raw;
        }
        const auto found = FirstImplausibleSample(*record);
        ASSERT_EQ(found.has_value(), c.want.has_value());
        if (found) {
            EXPECT_EQ(found->channel, c.want->first);
            EXPECT_EQ(found->sample, c.want->second);
        }
    }
}

class RecordCheckTest : public ::testing::Test {
protected:
    RecordCheckTest() { test::AddProfile(ini, "1L40", 0.1f, 0.000001f); }

    CIniFile ini;
    test::TempDir dir;
};

TEST_F(RecordCheckTest, ARecordThatCannotBeRightOpensWithAWarningAndTheLogbookMarksIt) {
    auto record = SoundRecord(50);
    record->header.rate = 10;
    // 0.5 A a step, c = 1: -358 million A (-357913940 exactly, -357913952 in
    // the single precision every value of the program is computed in).
    record->raw[kCurrent][25] = -715827882;
    test::WriteBytes(dir.File("bad.dat"), EncodeRecordFile(*record));
    test::WriteBytes(dir.File("good.dat"), EncodeRecordFile(*SoundRecord(50)));

    CAppConfig config;
    CTavixDoc doc(config, ini);
    RecordForm form;
    std::string message;
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("bad.dat"), form, message)) << message;
    EXPECT_EQ(form.warning,
              "bad.dat holds values no device produces: Current(A) at sample 26 (2.50 s) reads "
              "-357913952.00. Its curves, statistics and exports are not to be trusted.");
    EXPECT_TRUE(doc.Record().dataLoaded);  // opened all the same
    // The mark the page keeps while the record is shown.
    EXPECT_EQ(ImplausibleMark(doc.Record()),
              "Implausible values: Current(A) reads -357913952.00 at 2.50 s (sample 26); curves, "
              "statistics and exports are not to be trusted.");
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("good.dat"), form, message));
    EXPECT_EQ(form.warning, "");
    EXPECT_EQ(ImplausibleMark(doc.Record()), "");

    LogbookReader reader(ini, {1, 1, 1, 1, 1, 1, 1, 1});
    std::vector<LogbookEntry> entries;
    ASSERT_TRUE(ReadLogbook(dir.Path().string(), reader, entries, message));
    ASSERT_EQ(entries.size(), 2u);
    const LogbookEntry& bad = entries[0].name == "bad.dat" ? entries[0] : entries[1];
    const LogbookEntry& good = entries[0].name == "bad.dat" ? entries[1] : entries[0];
    EXPECT_TRUE(bad.ok);
    EXPECT_EQ(bad.warning.rfind("bad.dat holds values no device produces", 0), 0u);
    EXPECT_EQ(good.warning, "");
    const std::string csv = LogbookCsv(entries);
    EXPECT_NE(csv.find("Current(A) at sample 26"), std::string::npos) << csv;
    EXPECT_NE(LogbookTable(entries).find("\n  warning: bad.dat holds"), std::string::npos);
}

}  // namespace
}  // namespace tavix
