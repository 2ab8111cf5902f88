// Opening and saving record files: the round trip, the refusals that keep the
// record on screen, and what an open takes from config.ini and gives the form.
#include "records/CTavixDoc.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <limits>
#include <utility>
#include <vector>

#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "core/records/RecordTestData.h"
#include "fakes/SystemFiles.h"
#include "fakes/TempDir.h"
#include "flight/Conversion.h"
#include "records/RecordCodec.h"
#include "records/RecordMessages.h"

namespace tavix {
namespace {

void PutI32(std::string& bytes, std::size_t at, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(v >> (8 * i));
    }
}

void PutF32(std::string& bytes, std::size_t at, float value) {
    PutI32(bytes, at, std::bit_cast<std::int32_t>(value));
}

class CTavixDocTest : public ::testing::Test {
protected:
    CTavixDocTest() {
        test::AddProfile(ini, "1L40", 0.1f, 0.000001f);
        // What is on screen before: a record to keep when a file is refused.
        auto before = test::MakeRecord(8, 50, "0V20");
        SetFixedText(before->channels[6].name, "kept channel 6");
        doc.Record() = *before;
        onScreen = EncodeRecordFile(doc.Record());
    }

    std::string WriteRecordFile(const std::string& bytes, const std::string& name = "r.dat") {
        const std::string path = dir.File(name);
        test::WriteBytes(path, bytes);
        return path;
    }

    void ExpectRecordOnScreenUnchanged() {
        EXPECT_EQ(EncodeRecordFile(doc.Record()), onScreen);
        EXPECT_FALSE(doc.Record().dataLoaded);
    }

    test::TempDir dir;
    CIniFile ini;
    CAppConfig config;
    CTavixDoc doc{config, ini};
    std::string onScreen;
    RecordForm form;
    std::string message;
};

TEST_F(CTavixDocTest, OpenThenSaveGivesTheSameBytes) {
    const std::string original = EncodeRecordFile(*test::MakeRecord(5, 1234));
    const std::string path = WriteRecordFile(original);
    ASSERT_TRUE(doc.OnOpenDocument(path, form, message)) << message;
    const std::string copy = dir.File("copy.dat");
    ASSERT_TRUE(doc.OnSaveDocument(copy, form, message)) << message;
    EXPECT_EQ(test::ReadBytes(copy), original);
}

TEST_F(CTavixDocTest, OpenFillsTheFormAndMarksTheRecordLoaded) {
    const std::string path = WriteRecordFile(EncodeRecordFile(*test::MakeRecord(5, 200)));
    ASSERT_TRUE(doc.OnOpenDocument(path, form, message)) << message;
    EXPECT_EQ(form.note, "first flight of the day");
    EXPECT_EQ(form.gearRate, 2.5f);
    EXPECT_EQ(form.poles, 14);
    EXPECT_EQ(form.version, "TVKA20141L400312");
    const FlightRecord& r = doc.Record();
    EXPECT_TRUE(r.dataLoaded);
    EXPECT_EQ(r.header.samples, 200);
    EXPECT_EQ(r.raw[4][199], test::MakeRecord(5, 200)->raw[4][199]);
    // Channels the file does not hold keep what they had.
    EXPECT_EQ(FixedText(r.channels[6].name), "kept channel 6");
    EXPECT_EQ(FixedText(r.channels[4].name), "Channel 4");
}

TEST_F(CTavixDocTest, CalibrationComesFromConfigAtOpenTime) {
    const std::string path = WriteRecordFile(EncodeRecordFile(*test::MakeRecord(5, 100)));
    ASSERT_TRUE(doc.OnOpenDocument(path, form, message));
    EXPECT_FLOAT_EQ(doc.Record().calibration[0].k, 0.1f);
    EXPECT_FLOAT_EQ(doc.Record().calibration[4].k, 0.000001f);
    EXPECT_FLOAT_EQ(doc.Record().calibration[3].c, 3.0f);

    ini.PutText("1L40", "kvalue0", "0.25", false);
    ASSERT_TRUE(doc.OnOpenDocument(path, form, message));
    EXPECT_FLOAT_EQ(doc.Record().calibration[0].k, 0.25f);
    // Ranges stay the file's own.
    EXPECT_FLOAT_EQ(doc.Record().ranges[1].max, 200.5f);
}

TEST_F(CTavixDocTest, GearRateIsRoundedForTheFormAndNeverBelowOne) {
    struct Case {
        float file;
        float form;
        float header;
    };
    const Case cases[] = {
        {3.14159f, 3.14f, 3.14159f},  // the header keeps what the file says
        {0.0f, 1.0f, 1.0f},
        {-2.0f, 1.0f, 1.0f},
        {0.004f, 1.0f, 1.0f},  // rounds to 0.00
        {std::numeric_limits<float>::quiet_NaN(), 1.0f, 1.0f},
        {std::numeric_limits<float>::infinity(), 1.0f, 1.0f},
        {-std::numeric_limits<float>::infinity(), 1.0f, 1.0f},
        {2.345f, 2.35f, 2.345f},
        {1e38f, 1.0f, 1.0f},  // finite, but the RPM would overflow
    };
    for (const Case& c : cases) {
        std::string bytes = EncodeRecordFile(*test::MakeRecord(5, 64));
        PutF32(bytes, 28, c.file);
        ASSERT_TRUE(doc.LoadRecord(bytes, "g.dat", form, message)) << message;
        EXPECT_FLOAT_EQ(form.gearRate, c.form) << c.file;
        EXPECT_FLOAT_EQ(doc.Record().header.gearRate, c.header) << c.file;
    }
}

// A pole number of 0 or below would give an infinite or negative RPM: it loads
// as the smallest pole number, as a gear rate that is none loads as 1.
TEST_F(CTavixDocTest, APoleNumberOfZeroOrBelowLoadsAsTheSmallest) {
    for (auto [file, loaded] : {std::pair{0, 2}, {-14, 2}, {1, 1}, {14, 14}}) {
        std::string bytes = EncodeRecordFile(*test::MakeRecord(5, 64));
        PutI32(bytes, 32, file);
        ASSERT_TRUE(doc.LoadRecord(bytes, "p.dat", form, message)) << message;
        EXPECT_EQ(form.poles, loaded) << file;
        EXPECT_EQ(doc.Record().header.poles, loaded) << file;
        const float rpm = PhysicalValue(doc.Record(), kMotorRpm, 2000);
        EXPECT_TRUE(std::isfinite(rpm) && rpm > 0.0f) << file << ": " << rpm;
    }
}

TEST_F(CTavixDocTest, YAxisChannelOutsideTheChannelsIsTakenModuloEight) {
    for (auto [file, loaded] : {std::pair{11, 3}, {-1, 7}, {7, 7}}) {
        std::string bytes = EncodeRecordFile(*test::MakeRecord(5, 64));
        PutI32(bytes, 812, file);
        ASSERT_TRUE(doc.LoadRecord(bytes, "y.dat", form, message));
        EXPECT_EQ(doc.Record().header.yAxis, loaded);
    }
}

TEST_F(CTavixDocTest, FilesThatDoNotFitAreRefusedAndTheRecordStays) {
    const std::string good = EncodeRecordFile(*test::MakeRecord(5, 100));
    const std::size_t full = good.size();
    struct Case {
        const char* what;
        std::string bytes;
        std::string expected;
    };
    auto with = [&](std::size_t at, std::int32_t v) {
        std::string b = good;
        PutI32(b, at, v);
        return b;
    };
    using ull = unsigned long long;
    const Case cases[] = {
        {"nine channels", with(20, 9), FormatText(kMsgRecordBadChannels, "f.dat", 9)},
        {"no channel", with(20, 0), FormatText(kMsgRecordBadChannels, "f.dat", 0)},
        {"negative channels", with(20, -1), FormatText(kMsgRecordBadChannels, "f.dat", -1)},
        {"too many samples", with(16, 16385), FormatText(kMsgRecordBadSamples, "f.dat", 16385)},
        {"no sample", with(16, 0), FormatText(kMsgRecordBadSamples, "f.dat", 0)},
        {"negative samples", with(16, -5), FormatText(kMsgRecordBadSamples, "f.dat", -5)},
        {"one byte short", good.substr(0, full - 1),
         FormatText(kMsgRecordTooShort, "f.dat", ull{full}, ull{full - 1})},
        {"header only", good.substr(0, 931),
         FormatText(kMsgRecordTooShort, "f.dat", ull{932}, ull{931})},
        {"empty", std::string(), FormatText(kMsgRecordTooShort, "f.dat", ull{932}, ull{0})},
        {"more samples than the file has", with(16, 101),
         FormatText(kMsgRecordTooShort, "f.dat", ull{RecordFileSize(5, 101)}, ull{full})},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(doc.LoadRecord(c.bytes, "f.dat", form, message)) << c.what;
        EXPECT_EQ(message, c.expected) << c.what;
        ExpectRecordOnScreenUnchanged();
    }
    // Opening a file names it by its path.
    const std::string path = WriteRecordFile(good.substr(0, 100), "short.dat");
    EXPECT_FALSE(doc.OnOpenDocument(path, form, message));
    EXPECT_EQ(message, FormatText(kMsgRecordTooShort, path.c_str(), ull{932}, ull{100}));
    ExpectRecordOnScreenUnchanged();
}

TEST_F(CTavixDocTest, UnknownHardwareIsRefusedAndTheRecordStays) {
    const std::string path = WriteRecordFile(EncodeRecordFile(*test::MakeRecord(5, 64, "9Z99")));
    EXPECT_FALSE(doc.OnOpenDocument(path, form, message));
    EXPECT_EQ(message, "No configure of 9Z99, record load failed");
    ExpectRecordOnScreenUnchanged();
}

TEST_F(CTavixDocTest, BytesAfterTheLastChannelAreIgnored) {
    const std::string good = EncodeRecordFile(*test::MakeRecord(5, 100));
    auto record = std::make_unique<FlightRecord>();
    const RecordReadResult read = DecodeRecordFile(good + "0123456789", *record, "t.dat");
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.trailingBytes, 10u);
    EXPECT_EQ(EncodeRecordFile(*record), good);
}

TEST_F(CTavixDocTest, AMissingFileOrNoRegularFileSaysWhyWithoutWaiting) {
    std::filesystem::create_directory(dir.File("folder.dat"));
    std::vector<std::pair<const char*, const char*>> cases = {
        {"absent.dat", "No such file or directory"}, {"folder.dat", "Not a regular file"}};
    if (test::MakeFifo(dir.File("fifo.dat"))) {  // a plain open waits for a writer
        cases.emplace_back("fifo.dat", "Not a regular file");
    }
    for (const auto& [name, reason] : cases) {
        const std::string path = dir.File(name);
        EXPECT_FALSE(doc.OnOpenDocument(path, form, message));
        EXPECT_EQ(message, FormatText(kMsgRecordUnreadable, path.c_str(), reason));
        ExpectRecordOnScreenUnchanged();
    }
}

TEST_F(CTavixDocTest, SaveStoresTheFormNoteCutToItsLength) {
    form.note = "windy, second battery";
    const std::string path = dir.File("n.dat");
    ASSERT_TRUE(doc.OnSaveDocument(path, form, message));
    const std::string bytes = test::ReadBytes(path);
    EXPECT_EQ(bytes.substr(296, 22), std::string("windy, second battery\0", 22));

    form.note = std::string(600, 'x');
    ASSERT_TRUE(doc.OnSaveDocument(path, form, message));
    const std::string longer = test::ReadBytes(path);
    EXPECT_EQ(longer.substr(296, 513), std::string(512, 'x') + '\0');
}

TEST_F(CTavixDocTest, ConvertsItsFlightInPlaceWithTheConfiguredWindows) {
    FlightRecord& record = doc.Record();
    const FlightData& flight = doc.Current();
    record.header.samples = 2;
    record.header.channels = 1;
    record.calibration[kVoltage] = {1.0f, 0.0f};
    record.raw[kVoltage][0] = 1;
    record.raw[kVoltage][1] = 2;
    config.smoothing[kVoltage] = 2;
    const ConversionResult& result = doc.Convert();
    EXPECT_EQ(&result, &flight.conversion);
    EXPECT_EQ(&record, &flight.record);
    EXPECT_EQ(flight.smoothed[kVoltage][1], 1);
    EXPECT_EQ(flight.conversion.observed[kVoltage].max, 1.0f);
}

TEST_F(CTavixDocTest, StartUpRecordSavesEightFullChannels) {
    CAppConfig fresh;
    CTavixDoc freshDoc(fresh, ini);
    const std::string path = dir.File("startup.dat");
    ASSERT_TRUE(freshDoc.OnSaveDocument(path, form, message));
    EXPECT_EQ(std::filesystem::file_size(path), RecordFileSize(8, 16384));
}

// A file that was not read whole (past the read limit, or an extension
// damaged from some section on) is never saved over: that would lose what was
// not read. Under another name it saves, and that file may be saved again.
TEST_F(CTavixDocTest, AFileNotReadWholeIsNotSavedOver) {
    auto record = test::MakeRecord(5, 100);
    record->escBlock = std::string(512, '\x01');
    const std::string good = EncodeRecordFile(*record);
    std::string damaged = good;
    damaged.back() = static_cast<char>(damaged.back() ^ 1);
    struct Case {
        std::string bytes;
        std::string why;
    };
    const Case cases[] = {
        {damaged, "its extension is damaged: section 1 (ESCB) fails its checksum"},
        {good + std::string(kRecordReadLimit, '\0'),
         FormatText(kMsgRecordCut, static_cast<unsigned long long>(kRecordReadLimit))},
    };
    for (const Case& c : cases) {
        const std::string path = WriteRecordFile(c.bytes);
        const std::string link = dir.File("link.dat");
        std::filesystem::remove(link);
        test::SecondName(path, link);
        ASSERT_TRUE(doc.OnOpenDocument(path, form, message)) << message;
        EXPECT_EQ(doc.Record().notReadWhole, c.why);
        for (const std::string& over : {path, link}) {
            EXPECT_FALSE(doc.OnSaveDocument(over, form, message));
            EXPECT_EQ(message, FormatText(kMsgRecordNotReadWhole, over.c_str(), c.why.c_str()));
        }
        EXPECT_EQ(test::ReadBytes(path), c.bytes);
        const std::string other = dir.File("other.dat");
        ASSERT_TRUE(doc.OnSaveDocument(other, form, message)) << message;
        ASSERT_TRUE(doc.OnSaveDocument(other, form, message)) << message;
        const std::size_t recordPart = RecordFileSize(5, 100);
        EXPECT_EQ(test::ReadBytes(other).substr(0, recordPart), good.substr(0, recordPart));
    }
}

TEST_F(CTavixDocTest, AFailedSaveNamesTheFileAndLeavesNothing) {
    const std::string path = dir.File("missing-folder/x.dat");
    EXPECT_FALSE(doc.OnSaveDocument(path, form, message));
    EXPECT_EQ(message.rfind("Can't save the record file " + path + " (", 0), 0u) << message;
    EXPECT_TRUE(dir.Names().empty());
}

}  // namespace
}  // namespace tavix
