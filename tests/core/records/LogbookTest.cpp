// The logbook over a folder holding good records, a truncated record, a text
// file named .DAT, a folder named .dat, a record of unknown hardware and a
// file that is not a record at all.
#include "records/Logbook.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/records/RecordTestData.h"
#include "fakes/TempDir.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"
#include "records/RecordMessages.h"

namespace tavix {
namespace {

constexpr std::int64_t kMorning = 1394193600;  // 7 March 2014

// A flight at a constant voltage and current (0.1 V and 0.5 A steps).
void WriteFlight(const std::string& path, std::int64_t time, int seconds, int rate, int volts10,
                 int amps2, const std::string& note, const std::string& hw = "1L40") {
    auto record = test::MakeRecord(5, seconds * rate, hw);
    record->header.timeA = time;
    record->header.rate = static_cast<std::uint8_t>(rate);
    SetFixedText(record->header.note, note);
    for (int j = 0; j < seconds * rate; ++j) {
        record->raw[kVoltage][j] = volts10;
        record->raw[kCurrent][j] = amps2;
        record->raw[kThrottle][j] = 100;
        record->raw[kTemperature][j] = 60 + j % 40;  // 30.0 .. 49.5
        record->raw[kMotorRpm][j] = j == 0 ? 0 : 2000;
    }
    test::WriteBytes(path, EncodeRecordFile(*record));
}

class LogbookTest : public ::testing::Test {
protected:
    LogbookTest() {
        CIniFile ini;
        test::AddProfile(ini, "1L40", 0.1f, 0.000001f);
        ini.PutText("1L40", "kvalue1", "0.5", true);
        ini.PutText("1L40", "cvalue0", "0", true);
        ini.PutText("1L40", "cvalue1", "0", true);
        ini.PutText("1L40", "cvalue3", "0", true);
        reader = std::make_unique<LogbookReader>(
            ini, std::array<int, kChannelCount>{1, 1, 1, 1, 1, 1, 1, 1});

        // 10 A for 360 s is 1000 mAh; 20 A for 90 s 500 mAh.
        WriteFlight(dir.File("2014-3-7_2.dat"), kMorning + 3600, 360, 5, 120, 20,
                    "second, \"calm\"");
        WriteFlight(dir.File("2014-3-7_1.dat"), kMorning, 90, 10, 168, 40, "first");
        WriteFlight(dir.File("other.dat"), kMorning + 60, 10, 5, 120, 20, "", "9Z99");
        const std::string whole = test::ReadBytes(dir.File("2014-3-7_1.dat"));
        test::WriteBytes(dir.File("cut.dat"), whole.substr(0, whole.size() - 3));
        test::WriteBytes(dir.File("readme.DAT"), "These are my flights of the season.\n");
        test::WriteBytes(dir.File("notes.txt"), "not listed");
        std::filesystem::create_directory(dir.File("old.dat"));
    }

    test::TempDir dir;
    std::unique_ptr<LogbookReader> reader;
};

TEST_F(LogbookTest, ListsEveryRecordByDateAndEveryFailureWithItsReason) {
    std::vector<LogbookEntry> entries;
    std::string error;
    ASSERT_TRUE(ReadLogbook(dir.Path().string(), *reader, entries, error)) << error;
    std::vector<std::string> names;
    for (const LogbookEntry& e : entries) {
        names.push_back(e.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"2014-3-7_1.dat", "2014-3-7_2.dat", "cut.dat",
                                               "old.dat", "other.dat", "readme.DAT"}));

    const LogbookEntry& first = entries[0];
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_EQ(first.time, kMorning);
    EXPECT_EQ(first.version, "TVKA20141L400312");
    EXPECT_EQ(first.note, "first");
    EXPECT_EQ(first.rate, 10);
    EXPECT_DOUBLE_EQ(*first.seconds, 90.0);
    EXPECT_FLOAT_EQ(*first.maxCurrent, 20.0f);
    EXPECT_FLOAT_EQ(*first.minVoltage, 16.8f);
    EXPECT_FLOAT_EQ(*first.maxTemperature, 49.5f);
    EXPECT_NEAR(*first.maxRpm, 30.0 / (14 * 2.5 * 0.000001 * 2000), 0.5);  // no reading left out
    EXPECT_NEAR(*first.capacityMah, 500.0, 1e-6);
    EXPECT_NEAR(*entries[1].capacityMah, 1000.0, 1e-6);

    const std::string cut = dir.File("cut.dat");
    const std::size_t size = RecordFileSize(5, 900);
    EXPECT_EQ(entries[2].error,
              FormatText(kMsgRecordTooShort, cut.c_str(), static_cast<unsigned long long>(size),
                         static_cast<unsigned long long>(size - 3)));
    EXPECT_EQ(entries[3].error, FormatText(kMsgLogbookNotRegular, dir.File("old.dat").c_str()));
    EXPECT_EQ(entries[4].error, FormatText(kMsgNoConfigure, "9Z99"));
    EXPECT_NE(entries[5].error.find("readme.DAT"), std::string::npos) << entries[5].error;
    for (std::size_t i = 2; i < entries.size(); ++i) {
        EXPECT_FALSE(entries[i].ok);
        EXPECT_EQ(LogbookCell(entries[i], LogbookColumn::Capacity), "");
    }
}

TEST_F(LogbookTest, SortsByAnyColumnWithFailuresLast) {
    std::vector<LogbookEntry> entries;
    std::string error;
    ASSERT_TRUE(ReadLogbook(dir.Path().string(), *reader, entries, error));
    struct Case {
        LogbookColumn column;
        bool ascending;
        const char* firstName;
    };
    const Case cases[] = {
        {LogbookColumn::Date, false, "2014-3-7_2.dat"},
        {LogbookColumn::Duration, true, "2014-3-7_1.dat"},
        {LogbookColumn::Rate, true, "2014-3-7_2.dat"},
        {LogbookColumn::MaxCurrent, false, "2014-3-7_1.dat"},
        {LogbookColumn::MinVoltage, true, "2014-3-7_2.dat"},
        {LogbookColumn::Capacity, false, "2014-3-7_2.dat"},
        {LogbookColumn::Note, true, "2014-3-7_1.dat"},
        {LogbookColumn::File, false, "2014-3-7_2.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(kLogbookHeadings[static_cast<int>(c.column)]);
        SortLogbook(entries, c.column, c.ascending);
        EXPECT_EQ(entries.front().name, c.firstName);
        EXPECT_EQ(entries[2].name, "cut.dat");  // failures last, by name
        EXPECT_EQ(entries.back().name, "readme.DAT");
    }
}

TEST(LogbookSort, FlightsOfOneUploadFollowTheirNumbersInTheLogger) {
    std::vector<LogbookEntry> entries(4);
    const std::pair<std::int64_t, int> keys[] = {{500, 3}, {500, 1}, {400, 9}, {500, 2}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].ok = true;
        entries[i].time = keys[i].first;
        entries[i].flightNumber = keys[i].second;
        entries[i].name = "z" + std::to_string(i);  // names would give another order
    }
    SortLogbook(entries, LogbookColumn::Date);
    std::vector<int> numbers;
    for (const LogbookEntry& e : entries) {
        numbers.push_back(e.flightNumber);
    }
    EXPECT_EQ(numbers, (std::vector<int>{9, 1, 2, 3}));
}

// A record without the channel has no value: it sorts before every number
// going up, after every number going down, and never among the failures.
TEST(LogbookSort, EmptyValuesComeFirstGoingUpAndLastGoingDown) {
    const auto entry = [](const char* name, std::optional<float> amps, std::optional<double> ohms) {
        LogbookEntry e;
        e.name = name;
        e.ok = true;
        e.maxCurrent = amps;
        e.ohms = ohms;
        return e;
    };
    LogbookEntry failed;
    failed.name = "a-failed.dat";
    const std::vector<LogbookEntry> read{entry("high.dat", 50.0f, 0.02), entry("none.dat", {}, {}),
                                         failed, entry("low.dat", 5.0f, 0.01)};
    for (const LogbookColumn column : {LogbookColumn::MaxCurrent, LogbookColumn::Resistance}) {
        SCOPED_TRACE(kLogbookHeadings[static_cast<int>(column)]);
        for (const bool ascending : {true, false}) {
            std::vector<LogbookEntry> entries = read;
            SortLogbook(entries, column, ascending);
            std::vector<std::string> names;
            for (const LogbookEntry& e : entries) {
                names.push_back(e.name);
            }
            const std::vector<std::string> expected =
                ascending
                    ? std::vector<std::string>{"none.dat", "low.dat", "high.dat", "a-failed.dat"}
                    : std::vector<std::string>{"high.dat", "low.dat", "none.dat", "a-failed.dat"};
            EXPECT_EQ(names, expected) << (ascending ? "ascending" : "descending");
        }
    }
}

TEST_F(LogbookTest, TableAndCsv) {
    std::vector<LogbookEntry> entries;
    std::string error;
    ASSERT_TRUE(ReadLogbook(dir.Path().string(), *reader, entries, error));
    const std::string csv = LogbookCsv(entries);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "Date and time,File,Version,Duration (s),Rate (/s),Max.Current (A),Min.Voltage (V),"
              "Max.Temp. (C),Max.RPM,Capacity (mAh),R (mOhm),Events,Note,Error");
    EXPECT_NE(csv.find(",2014-3-7_2.dat,TVKA20141L400312,360.0,5,10.0,12.0,49.5,"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find(",1000,,0,\"second, \"\"calm\"\"\",\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",other.dat,,,,,,,,,,,,\"" + FormatText(kMsgNoConfigure, "9Z99") + "\"\r\n"),
              std::string::npos)
        << csv;

    const std::string table = LogbookTable(entries);
    EXPECT_EQ(table.substr(0, table.find('\n')).find("Date and time        File"), 0u) << table;
    EXPECT_NE(table.find("other.dat       error: " + FormatText(kMsgNoConfigure, "9Z99") + "\n"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("   1000                 0  second, \"calm\"\n"), std::string::npos)
        << table;
}

TEST_F(LogbookTest, AFolderThatCannotBeReadIsAnError) {
    std::vector<LogbookEntry> entries{LogbookEntry{}};
    std::string error;
    const std::string missing = dir.File("no-such-folder");
    EXPECT_FALSE(ReadLogbook(missing, *reader, entries, error));
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(error.find("Can't read the folder " + missing + " ("), 0u) << error;
}

}  // namespace
}  // namespace tavix
