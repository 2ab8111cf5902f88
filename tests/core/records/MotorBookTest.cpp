// Motor figures over record files: a simulated motor uploaded, split into
// record files by the program's own writer, read back as the logbook reads
// them (conversion and smoothing of config.ini), and the folder's CSV.
#include "records/MotorBook.h"

#include <gtest/gtest.h>

#include "core/records/RecordTestData.h"
#include "fakes/CommaLocale.h"
#include "fakes/FixedClock.h"
#include "fakes/TempDir.h"
#include "logger/FlightSplitter.h"
#include "logger/LoggerHeader.h"
#include "records/RecordCodec.h"
#include "records/RecordFile.h"
#include "sim/LoggerMemory.h"

namespace tavix {
namespace {

class MotorBookTest : public ::testing::Test {
protected:
    MotorBookTest() { test::AddProfile(ini, "1L40", 0.1f, 0.000001f); }

    // Uploads `plan`'s memory into `dir` with `note`: one record file per flight.
    void Upload(const sim::MemoryPlan& plan, const std::string& note) {
        const sim::GeneratedMemory memory = sim::GenerateLoggerMemory(plan);
        const LoggerBlock block = DecodeLoggerHeader(memory.bytes.data());
        const Bytes image(memory.bytes.begin() + 64,
                          memory.bytes.begin() + 64 + UploadLength(block));
        auto work = std::make_unique<FlightRecord>();
        work->header.poles = 14;
        work->header.gearRate = 1.0f;
        SetFixedText(work->header.hwCode, "1L40");
        SetFixedText(work->header.note, note);
        work->calibration[kMotorRpm].k = 0.000001f;
        const SplitOutcome outcome =
            FlightSplitter(block, image)
                .WriteFlights(
                    *work, clock, dir.Path().string(),
                    [](const std::string& path, const FlightRecord& record, std::string& reason) {
                        return StoreNewRecordFile(path, EncodeRecordFile(record), reason);
                    });
        ASSERT_EQ(outcome.files.size(), plan.flights.size());
    }

    std::vector<MotorFlight> Read() {
        // The smoothing windows of the default config.ini.
        LogbookReader reader(ini, {4, 2, 1, 8, 4, 1, 1, 1});
        std::vector<LogbookEntry> entries;
        std::string error;
        EXPECT_TRUE(ReadLogbook(dir.Path().string(), reader, entries, error)) << error;
        return MotorHistory(MotorFlights(entries));
    }

    test::TempDir dir;
    test::FixedClock clock;
    CIniFile ini;
};

TEST_F(MotorBookTest, UploadedRecordsGiveBackTheMotorAndMarkTheDamagedFlight) {
    // Three flights of a healthy motor, the fourth with its Kv 8 % down. The
    // profile's calibration offsets (cvalue) shift voltage, current and
    // throttle as the upload's readers see them: clear them.
    for (const char* entry : {"cvalue0", "cvalue1", "cvalue2"}) {
        ini.PutText("1L40", entry, "0", true);
    }
    Upload(sim::MotorMemoryPlan(), "Pack: Blue\nModel: Wing\nwindy");
    const sim::MotorSpec motor = sim::MotorMemoryPlan().motors.front();
    const std::vector<MotorFlight> history = Read();
    ASSERT_EQ(history.size(), 4u);
    for (std::size_t i = 0; i < history.size(); ++i) {
        SCOPED_TRACE(history[i].file);
        EXPECT_EQ(history[i].model, "Wing");
        ASSERT_TRUE(history[i].estimate.figures);
        const MotorFigures& f = *history[i].estimate.figures;
        const double kv = i < 3 ? motor.kv : motor.kv * 0.92;
        EXPECT_NEAR(f.kv, kv, kv * 0.03);
        EXPECT_NEAR(f.rmOhm, motor.rmOhm, motor.rmOhm * 0.20);
        EXPECT_NEAR(f.propK, motor.propK, motor.propK * 0.08);
        EXPECT_EQ(AlertText(history[i]).empty(), i < 3) << AlertText(history[i]);
    }
    EXPECT_EQ(AlertText(history[3]).find("Kv down "), 0u) << AlertText(history[3]);
    EXPECT_NE(AlertText(history[3]).find(" %: magnets heat-damaged?"), std::string::npos);
}

TEST_F(MotorBookTest, CsvHasItsColumnsWhateverTheLocale) {
    test::CommaLocale comma;
    MotorFlight good{"2014-3-7_1.dat",
                     "=Wing",
                     0,
                     {150, 30.0, MotorFigures{920.456, 0.0794, 0.15937, 0.9133, 0.95}},
                     {MessageParts(kAlertKvDown, {"8"})}};
    MotorFlight short_{"2014-3-7_2.dat", "", 0, {12, 2.4, std::nullopt}};
    EXPECT_EQ(MotorCsv({good, short_}),
              "file,model,steady_s,kv_rpm_per_v,rm_mohm,prop_k,efficiency_pct,alert\r\n"
              "2014-3-7_1.dat,\"'=Wing\",30.00,920.46,79.40,0.16,91.33,Kv down 8 %: magnets "
              "heat-damaged?\r\n"
              "2014-3-7_2.dat,,2.40,,,,,not enough steady flight\r\n");
    const std::string table = MotorTable({good, short_});
    EXPECT_NE(table.find("920  "), std::string::npos) << table;
    EXPECT_NE(table.find("0.159"), std::string::npos) << table;
    EXPECT_NE(table.find("=Wing: 1 flight, Kv 920 rpm/V, Rm 79.4 mOhm, k 0.159\n"),
              std::string::npos)
        << table;
}

}  // namespace
}  // namespace tavix
