// tavix-cli logbook over the folder an upload from the demo device wrote, with
// a damaged record and a file that is no record beside the flights; and the
// computed quantities tavix-cli info adds; two to four of them compared.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "CliFixture.h"
#include "Commands.h"
#include "analysis/AnalysisMessages.h"
#include "core/records/RecordTestData.h"
#include "fakes/CommaLocale.h"
#include "fakes/TempDir.h"
#include "platform/SerialBackendFactory.h"
#include "records/CTavixDoc.h"
#include "records/Logbook.h"
#include "records/PackBook.h"
#include "records/RecordCodec.h"
#include "sim/SimDevice.h"

namespace tavix::cli {
namespace {

class LogbookCliTest : public CliFixture {
protected:
    int Run(std::vector<std::string> args) {
        return RunWith(std::move(args), {"--config", config});
    }

    // Uploads the demo logger's three flights into `flights`.
    std::vector<std::string> Upload() {
        EXPECT_EQ(Run({"upload", "--port", "demo", "--note", "club field", "--out", flights}),
                  kExitOk)
            << err.str();
        return OutLines();
    }

    std::string flights = dir.File("flights");
};

TEST_F(LogbookCliTest, ListsTheUploadedFlightsThenTheFilesThatFailed) {
    const std::vector<std::string> paths = Upload();
    ASSERT_EQ(paths.size(), 3u);
    const std::string whole = test::ReadBytes(paths[0]);
    test::WriteBytes(flights + "/damaged.dat", whole.substr(0, whole.size() / 2));
    test::WriteBytes(flights + "/shopping.dat", std::string(2000, 'x'));
    test::WriteBytes(flights + "/readme.txt", "not a record, not listed");

    ASSERT_EQ(Run({"logbook", flights}), kExitOk) << err.str();
    const std::vector<std::string> lines = OutLines();
    ASSERT_EQ(lines.size(), 6u) << out.str();
    EXPECT_EQ(lines[0].find(kLogbookHeadings[0]), 0u);
    for (int i = 0; i < 3; ++i) {
        const std::string name = std::filesystem::path(paths[i]).filename().string();
        EXPECT_NE(lines[1 + i].find("  " + name + "  TVKA20141L400312  "), std::string::npos)
            << lines[1 + i];
        EXPECT_EQ(lines[1 + i].substr(lines[1 + i].size() - 12), "  club field");
    }
    EXPECT_EQ(lines[4].find(std::string(19, ' ') + "  damaged.dat "), 0u) << lines[4];
    EXPECT_NE(lines[4].find("  error: The record file "), std::string::npos);
    EXPECT_NE(lines[4].find("is too short"), std::string::npos);
    EXPECT_NE(lines[5].find("shopping.dat     error: The record file "), std::string::npos)
        << lines[5];
    EXPECT_NE(lines[5].find("announces 2021161080 channels"), std::string::npos) << lines[5];

    ASSERT_EQ(Run({"logbook", flights, "--csv"}), kExitOk) << err.str();
    const std::vector<std::string> csv = OutLines();
    ASSERT_EQ(csv.size(), 6u);
    EXPECT_EQ(csv[0].find("Date and time,File,Version,Duration (s),"), 0u);
    EXPECT_NE(csv[3].find(",TVKA20141L400312,"), std::string::npos);
    EXPECT_EQ(csv[3].substr(csv[3].size() - 13), ",club field,\r");
}

// Text from outside (file names, notes, version strings) reaches the terminal
// in its encoding with no control character raw, and a CSV text cell that a
// spreadsheet would run as a formula is written as text.
// The last flight flew with another brake: two groups, the change named.
TEST_F(LogbookCliTest, BySettingsGroupsTheFlightsAndNamesWhatChanged) {
    const std::vector<std::string> paths = Upload();
    ASSERT_EQ(paths.size(), 3u);
    FlightRecord record;
    ASSERT_TRUE(DecodeRecordFile(test::ReadBytes(paths[2]), record, paths[2]).ok);
    ASSERT_GT(record.escBlock.size(), 3u);
    record.escBlock[3] = record.escBlock[3] == 2 ? 1 : 2;
    test::WriteBytes(paths[2], EncodeRecordFile(record));

    ASSERT_EQ(Run({"logbook", flights, "--by-settings", "--csv"}), kExitOk) << err.str();
    const std::vector<std::string> lines = OutLines();
    ASSERT_EQ(lines.size(), 3u) << out.str();
    EXPECT_EQ(lines[1].rfind("1,2,", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("2,1,", 0), 0u) << lines[2];
    EXPECT_NE(lines[2].find("Brake"), std::string::npos) << lines[2];
    EXPECT_NE(lines[2].find(" -> "), std::string::npos) << lines[2];
}

TEST_F(LogbookCliTest, OutsideTextIsEscapedShownAsWrittenAndNeverAFormula) {
    std::filesystem::create_directories(flights);
    auto record = test::MakeRecord(5, 50, "1L40");
    SetFixedText(record->header.version, "TVKA\n\x1B[2J");
    SetFixedText(record->header.note, "=HYPERLINK(\"x\")\x1B]0;t\x07");
    const std::string name = "=1+2 \u98de\u884c.dat";  // UTF-8, as the system names files
    test::WriteBytes(flights + "/" + name, EncodeRecordFile(*record));
    std::filesystem::create_directory(flights + "/\u574f\x1B[31m.dat");
    const std::string raw("\x1B\x07\r", 3);

    ASSERT_EQ(Run({"logbook", flights}), kExitOk) << err.str();
    const std::string table = out.str();
    // Heading, the record, its warning (its values are no device's) and the folder.
    EXPECT_EQ(OutLines().size(), 4u) << table;
    EXPECT_EQ(table.find_first_of(raw), std::string::npos) << table;
    EXPECT_NE(table.find(name + "  "), std::string::npos) << table;
    EXPECT_NE(table.find("  TVKA\\x0A\\x1B[2J  "), std::string::npos) << table;
    EXPECT_NE(table.find("  =HYPERLINK(\"x\")\\x1B]0;t\\x07\n"), std::string::npos) << table;
    EXPECT_NE(table.find("\u574f\\x1B[31m.dat is not a regular file"), std::string::npos) << table;

    ASSERT_EQ(Run({"logbook", flights, "--csv"}), kExitOk) << err.str();
    const std::string csv = out.str();
    EXPECT_EQ(csv.find_first_of(std::string("\x1B\x07", 2)), std::string::npos) << csv;
    EXPECT_NE(csv.find(",\"'" + name + "\",TVKA\\x0A\\x1B[2J,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",\"'=HYPERLINK(\"\"x\"\")\\x1B]0;t\\x07\","), std::string::npos) << csv;

    ASSERT_EQ(Run({"info", flights + "/" + name}), kExitOk) << err.str();
    EXPECT_EQ(out.str().find_first_of(raw), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("Device version: TVKA\\x0A\\x1B[2J\n"), std::string::npos);
    EXPECT_NE(out.str().find(name), std::string::npos) << out.str();
}

TEST_F(LogbookCliTest, AFolderThatCannotBeReadOrNoFolderAtAll) {
    EXPECT_EQ(Run({"logbook", dir.File("nowhere")}), kExitRefused);
    EXPECT_EQ(err.str().find("Can't read the folder " + dir.File("nowhere")), 0u) << err.str();
    EXPECT_EQ(Run({"logbook"}), kExitUsage);
    EXPECT_EQ(Run({"logbook", "a", "b"}), kExitUsage);
    EXPECT_EQ(Run({"logbook", "--help"}), kExitOk);
    EXPECT_NE(out.str().find("--csv"), std::string::npos);
}

TEST_F(LogbookCliTest, InfoAddsTheComputedQuantities) {
    const std::vector<std::string> paths = Upload();
    ASSERT_FALSE(paths.empty());
    ASSERT_EQ(Run({"info", paths.back()}), kExitOk) << err.str();
    const std::string text = out.str();
    const std::size_t computed = text.find("\nComputed from the curves:\n");
    ASSERT_NE(computed, std::string::npos) << text;
    for (const char* caption : {kQuantityMaxPower, kCaptionCapacity, kCaptionEnergy,
                                kCaptionAverageCurrent, kCaptionCells, kCaptionMinCellVoltage}) {
        EXPECT_NE(text.find(std::string("\n  ") + caption, computed), std::string::npos) << caption;
    }
    EXPECT_NE(text.find(" mAh\n", computed), std::string::npos) << text;
    EXPECT_EQ(text.find("\n  Cells        -\n"), std::string::npos) << text;
}

TEST_F(LogbookCliTest, EventsAndPacksOverUploadedFlights) {
    ASSERT_EQ(
        Run({"upload", "--port", "demo", "--note", "Pack: Blue\x1b[2J\nfield", "--out", flights}),
        kExitOk)
        << err.str();
    const std::vector<std::string> paths = OutLines();
    ASSERT_EQ(paths.size(), 3u);

    ASSERT_EQ(Run({"events", paths[0], "--csv"}), kExitOk) << err.str();
    std::vector<std::string> lines = OutLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "time_s,duration_s,kind,value,text\r");
    ASSERT_EQ(Run({"events", paths[0]}), kExitOk) << err.str();
    EXPECT_FALSE(out.str().empty());

    ASSERT_EQ(Run({"info", paths[0]}), kExitOk) << err.str();
    // The pack name's escape sequence reaches the terminal as text.
    EXPECT_NE(out.str().find("\n  Pack         Blue\\x1B[2J\n"), std::string::npos) << out.str();

    ASSERT_EQ(Run({"packs", flights, "--csv"}), kExitOk) << err.str();
    lines = OutLines();
    ASSERT_EQ(lines.size(), 2u) << out.str();
    EXPECT_EQ(lines[0], std::string(kPacksCsvHeader) + "\r");
    // What reaches the terminal is escaped, CSV or not.
    EXPECT_EQ(lines[1].find("Blue\\x1B[2J,3,"), 0u) << lines[1];
    ASSERT_EQ(Run({"packs", flights}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("\nBlue\\x1B[2J  "), std::string::npos) << out.str();

    EXPECT_EQ(Run({"events", dir.File("none.dat")}), kExitRefused);
    EXPECT_EQ(Run({"events"}), kExitUsage);
    EXPECT_EQ(Run({"packs"}), kExitUsage);
}

TEST_F(LogbookCliTest, CompareTwoToFourUploadedFlights) {
    const std::vector<std::string> paths = Upload();
    ASSERT_EQ(paths.size(), 3u);
    const test::CommaLocale comma;
    ASSERT_EQ(Run({"compare", paths[2], paths[0], "--align", "throttle:20", "--csv"}), kExitOk)
        << err.str();
    const std::vector<std::string> lines = OutLines();
    ASSERT_EQ(lines.size(), 3u) << out.str();
    EXPECT_EQ(lines[0], std::string(kCompareCsvHeader) + "\r");
    const std::string reference = std::filesystem::path(paths[2]).filename().string() + ",";
    EXPECT_EQ(lines[1].find(reference), 0u) << lines[1];
    for (const std::string& row : {lines[1], lines[2]}) {
        // Twelve cells, every figure of a demo flight there, with a point.
        std::istringstream cells(row.substr(row.find(',') + 1));
        int count = 0;
        for (std::string cell; std::getline(cells, cell, ',');) {
            EXPECT_NE(cell.find('.'), std::string::npos) << row;
            ++count;
        }
        EXPECT_EQ(count, 11) << row;
    }
    EXPECT_NE(lines[1].substr(reference.size(), 6), "0.000,") << "throttle, not start";

    ASSERT_EQ(Run({"compare", paths[0], paths[1], paths[2]}), kExitOk) << err.str();
    EXPECT_NE(out.str().find(std::string("\n") + kCaptionAlignedAt), std::string::npos);
    EXPECT_NE(out.str().find(kCaptionSettingsSame), std::string::npos) << out.str();

    struct Case {
        std::vector<std::string> args;
        int exit;
    };
    const Case cases[] = {
        {{"compare", paths[0]}, kExitUsage},
        {{"compare", paths[0], paths[1], paths[2], paths[0], paths[1]}, kExitUsage},
        {{"compare", paths[0], paths[1], "--align", "throttle:0"}, kExitUsage},
        {{"compare", paths[0], paths[1], "--align", "end"}, kExitUsage},
        {{"compare", paths[0], dir.File("none.dat")}, kExitRefused},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), c.exit) << c.args.back();
    }
    EXPECT_NE(err.str().find("none.dat"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace tavix::cli
