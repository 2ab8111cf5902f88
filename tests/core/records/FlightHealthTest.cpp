// Flight health over record files: the event limits kept in config.ini, the
// logbook's health columns and the packs a folder's notes name.
#include <gtest/gtest.h>

#include "core/records/RecordTestData.h"
#include "fakes/CommaLocale.h"
#include "fakes/TempDir.h"
#include "records/AnalysisLimits.h"
#include "records/CTavixDoc.h"
#include "records/Logbook.h"
#include "records/PackBook.h"
#include "records/RecordCodec.h"
#include "records/RecordSummary.h"

namespace tavix {
namespace {

constexpr std::int64_t kHealthMorning = 1394193600;  // 7 March 2014

TEST(AnalysisLimits, ReadWithDefaultsForWhatIsMissingOrWrong) {
    CIniFile ini;
    EventLimits limits = ReadEventLimits(ini);
    EXPECT_DOUBLE_EQ(limits.cellMin, 3.3);
    EXPECT_DOUBLE_EQ(limits.tempMax, 90.0);
    EXPECT_DOUBLE_EQ(limits.currentMax, 0.0);

    ini.PutText(kIniAnalysisSection, kIniCellMinEntry, " 3.5 ", true);
    ini.PutText(kIniAnalysisSection, kIniTempMaxEntry, "hot", true);
    ini.PutText(kIniAnalysisSection, kIniCurrentMaxEntry, "-5", true);
    limits = ReadEventLimits(ini);
    EXPECT_DOUBLE_EQ(limits.cellMin, 3.5);
    EXPECT_DOUBLE_EQ(limits.tempMax, 90.0);
    EXPECT_DOUBLE_EQ(limits.currentMax, 0.0);
}

TEST(AnalysisLimits, WrittenOnlyWhenChanged) {
    test::TempDir dir;
    const std::string path = dir.File("config.ini");
    test::WriteBytes(path, "[display]\r\nyaxis=0\r\n");
    CIniFile ini;
    ini.SetFilePath(path);
    ASSERT_TRUE(ini.Load());
    EXPECT_TRUE(WriteEventLimits(ini, EventLimits{}));
    EXPECT_EQ(test::ReadBytes(path), "[display]\r\nyaxis=0\r\n");

    test::CommaLocale comma;
    EventLimits limits;
    limits.tempMax = 75.5;
    EXPECT_TRUE(WriteEventLimits(ini, limits));
    const std::string text = test::ReadBytes(path);
    EXPECT_EQ(text.find("[display]\r\nyaxis=0\r\n\r\n[analysis]\r\ntempmax=75.50\r\n"), 0u) << text;
    EXPECT_EQ(text.find("cellmin"), std::string::npos);
    EXPECT_DOUBLE_EQ(ReadEventLimits(ini).tempMax, 75.5);
}

// Two seconds at 10 A and 16.0 V, then two at 20 A and 15.8 V (20 mOhm);
// the temperature climbs to 49.5 C.
void WriteFlight(const std::string& path, std::int64_t time, const std::string& note) {
    constexpr int kSamples = 20;
    auto record = test::MakeRecord(5, kSamples, "1L40");
    record->header.timeA = time;
    record->header.rate = 5;
    SetFixedText(record->header.note, note);
    for (int j = 0; j < kSamples; ++j) {
        record->raw[kVoltage][j] = j < 10 ? 160 : 158;
        record->raw[kCurrent][j] = j < 10 ? 20 : 40;
        record->raw[kThrottle][j] = 100;
        record->raw[kTemperature][j] = 80 + j;
        record->raw[kMotorRpm][j] = 2000;
    }
    test::WriteBytes(path, EncodeRecordFile(*record));
}

class FlightHealthTest : public ::testing::Test {
protected:
    FlightHealthTest() {
        test::AddProfile(ini, "1L40", 0.1f, 0.000001f);
        ini.PutText("1L40", "kvalue1", "0.5", true);
        for (const char* entry : {"cvalue0", "cvalue1", "cvalue3"}) {
            ini.PutText("1L40", entry, "0", true);
        }
        WriteFlight(dir.File("a.dat"), kHealthMorning + 600, "Pack: Blue\nwindy");
        WriteFlight(dir.File("b.dat"), kHealthMorning, "Pack: Blue");
        WriteFlight(dir.File("c.dat"), kHealthMorning + 300, "no pack");
    }

    std::vector<LogbookEntry> Read() {
        LogbookReader reader(ini, {1, 1, 1, 1, 1, 1, 1, 1});
        std::vector<LogbookEntry> entries;
        std::string error;
        EXPECT_TRUE(ReadLogbook(dir.Path().string(), reader, entries, error)) << error;
        return entries;
    }

    test::TempDir dir;
    CIniFile ini;
};

TEST_F(FlightHealthTest, LogbookEntriesCarryPackResistanceAndEvents) {
    std::vector<LogbookEntry> entries = Read();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].pack, "Blue");
    EXPECT_EQ(entries[1].pack, "");
    ASSERT_TRUE(entries[0].ohms);
    EXPECT_NEAR(*entries[0].ohms, 0.020, 1e-4);
    EXPECT_EQ(LogbookCell(entries[0], LogbookColumn::Resistance), "20.0");
    EXPECT_EQ(entries[0].events, 0);
    EXPECT_FALSE(entries[0].worstEvent);

    // The limits come from the settings the reader was given.
    ini.PutText(kIniAnalysisSection, kIniTempMaxEntry, "45", true);
    ini.PutText(kIniAnalysisSection, kIniCellMinEntry, "4.0", true);
    entries = Read();
    EXPECT_EQ(entries[0].events, 2);
    EXPECT_EQ(entries[0].worstEvent, EventKind::OverTemp);
    EXPECT_EQ(LogbookCell(entries[0], LogbookColumn::Events), "2");
}

TEST_F(FlightHealthTest, PacksCsvHasItsColumnsWhateverTheLocale) {
    test::CommaLocale comma;
    const std::vector<PackRow> rows = SummarizePacks(PackFlights(Read()));
    ASSERT_EQ(rows.size(), 1u);
    // 20 samples at 10 A then 20 A, 0.2 s each: 15 A for 4 s is 16.7 mAh.
    EXPECT_EQ(PacksCsv(rows),
              "pack,flights,total_mah,mean_mah,min_cell_v,resistance_mohm,first_flight,last_flight"
              "\r\nBlue,2,33,17,3.950,20.0," +
                  LocalTimeText(kHealthMorning) + "," + LocalTimeText(kHealthMorning + 600) +
                  "\r\n");
    EXPECT_EQ(PacksCsv({}), std::string(kPacksCsvHeader) + "\r\n");
    // A name a spreadsheet would run is written as text.
    PackRow formula = rows[0];
    formula.pack = "=SUM(A1)";
    EXPECT_EQ(PacksCsv({formula}).find("\r\n\"'=SUM(A1)\",2,"), std::string(kPacksCsvHeader).size())
        << PacksCsv({formula});
}

}  // namespace
}  // namespace tavix
