// tavix-cli csv: the file it writes for a record file, where it goes, and
// what it refuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "CliFixture.h"
#include "Commands.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "exports/CsvExport.h"
#include "fakes/FakePrompt.h"
#include "fakes/FixedClock.h"
#include "fakes/TempDir.h"
#include "records/CTavixDoc.h"

namespace tavix::cli {
namespace {

class CsvCommandTest : public CliFixture {
protected:
    CsvCommandTest() { StoreRampRecord(recordPath); }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "csv");
        args.insert(args.end(), {"--config", config});
        return RunWith(std::move(args), {});
    }

    // The text the window's "Save As CSV" writes for the same file: opened as
    // the document, converted as the record page does.
    std::string WindowText() {
        CIniFile ini;
        ini.SetFilePath(config);
        ini.Load();
        CAppConfig store;
        test::FakePrompt prompt;
        test::FixedClock clock;
        CTavixDoc doc(store, ini);
        EXPECT_TRUE(store.LoadStartupSettings(ini, prompt, clock, doc.Record()));
        RecordForm form;
        std::string message;
        EXPECT_TRUE(doc.OnOpenDocument(recordPath, form, message)) << message;
        doc.Convert();
        return CsvText(doc.Current());
    }

    std::string recordPath = dir.File("2014-3-7_1.dat");
};

TEST_F(CsvCommandTest, WritesWhatTheWindowWritesBesideTheRecord) {
    ASSERT_EQ(Run({recordPath}), kExitOk) << err.str();
    const std::string csvPath = dir.File("2014-3-7_1.csv");
    EXPECT_EQ(out.str(), csvPath + ": 40 samples of 5 channels\n");
    const std::string text = test::ReadBytes(csvPath);
    EXPECT_EQ(text, WindowText());

    std::istringstream lines(text);
    std::string header, first, third;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, third);
    std::getline(lines, third);
    EXPECT_EQ(header, "Voltage(V),Current(A),Throttle(%),Temperature(\xA1\xE6),Motor RPM");
    // 12.0 V; current smoothed over 2 samples (0+2)/2 = 1 -> 0.5 A; throttle
    // 151 x 0.5. The motor stands still on the first row; on the third the
    // RPM window of 4 holds 0, 0, 2000: the zeros are no readings, so the
    // period is 2000 and 30 / (14 x 1 x 0.000001 x 2000) about 1071.43 RPM.
    EXPECT_EQ(first, "12.00,0.00,75.00,30.00,0.00");
    EXPECT_EQ(third, "12.00,1.50,76.00,30.00,1071.43");
}

TEST_F(CsvCommandTest, Utf8AndTimeForOtherTools) {
    ASSERT_EQ(Run({recordPath, "--utf8", "--time", "-o", dir.File("tools.csv")}), kExitOk)
        << err.str();
    const std::string text = test::ReadBytes(dir.File("tools.csv"));
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "Time(s),Voltage(V),Current(A),Throttle(%),Temperature(\xE2\x84\x83),Motor RPM");
    // Without the options the file stays the window's classic one.
    ASSERT_EQ(Run({recordPath, "-o", dir.File("plain.csv")}), kExitOk) << err.str();
    EXPECT_EQ(test::ReadBytes(dir.File("plain.csv")), WindowText());
}

TEST_F(CsvCommandTest, OutputOptionLongAndShort) {
    ASSERT_EQ(Run({recordPath, "-o", dir.File("a.csv")}), kExitOk) << err.str();
    ASSERT_EQ(Run({"--out=" + dir.File("b.txt"), recordPath}), kExitOk) << err.str();
    EXPECT_EQ(test::ReadBytes(dir.File("a.csv")), test::ReadBytes(dir.File("b.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("2014-3-7_1.csv")));
}

TEST_F(CsvCommandTest, RefusalsLeaveTheFilesAlone) {
    const std::string recordBytes = test::ReadBytes(recordPath);
    // Writing over its own record would lose the flight.
    EXPECT_EQ(Run({recordPath, "-o", recordPath}), kExitRefused);
    EXPECT_NE(err.str().find("would replace the record"), std::string::npos) << err.str();
    EXPECT_EQ(test::ReadBytes(recordPath), recordBytes);

    EXPECT_EQ(Run({recordPath, "-o", dir.File("no/such/dir/x.csv")}), kExitRefused);
    EXPECT_EQ(err.str().rfind(std::string(kMsgCantOpenFile) + "\n", 0), 0u) << err.str();

    EXPECT_EQ(Run({dir.File("absent.dat")}), kExitRefused);
    EXPECT_NE(err.str().find("Can't read the record file"), std::string::npos) << err.str();
    EXPECT_FALSE(std::filesystem::exists(dir.File("absent.csv")));

    EXPECT_EQ(Run({}), kExitUsage);
    EXPECT_EQ(Run({recordPath, recordPath}), kExitUsage);
    EXPECT_EQ(Run({recordPath, "-o"}), kExitUsage);
    EXPECT_NE(err.str().find("Usage: tavix-cli csv"), std::string::npos);
    EXPECT_EQ(Run({"--help"}), kExitOk);
    EXPECT_EQ(out.str().rfind("Usage: tavix-cli csv", 0), 0u);
}

// Both exports of a record (csv and image) refuse to write over their own
// record, through a link too, and over anything that is not a regular file.
TEST_F(CsvCommandTest, ExportsNeverReplaceTheirRecordOrWhatIsNoRegularFile) {
    // A record file that happens to carry an image's name.
    const std::string pngRecord = dir.File("flight.png");
    std::filesystem::copy_file(recordPath, pngRecord);
    std::filesystem::create_symlink(pngRecord, dir.File("to-record.png"));
    std::filesystem::create_symlink(recordPath, dir.File("to-record.csv"));
    ASSERT_EQ(::mkfifo(dir.File("fifo.csv").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(dir.File("fifo.png").c_str(), 0600), 0);
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"csv", recordPath, "-o", dir.File("to-record.csv")}, "would replace the record"},
        {{"image", pngRecord, "-o", pngRecord}, "would replace the record"},
        {{"image", pngRecord, "-o", dir.File("to-record.png")}, "would replace the record"},
        {{"csv", recordPath, "-o", dir.File("fifo.csv")}, "fifo.csv: Not a regular file"},
        {{"image", recordPath, "-o", dir.File("fifo.png")}, "fifo.png: Not a regular file"},
    };
    const std::string recordBytes = test::ReadBytes(recordPath);
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--config", config});
        out.str("");
        err.str("");
        EXPECT_EQ(RunCli(args, Io{out, err, false}), kExitRefused) << args[3];
        EXPECT_NE(err.str().find(c.says), std::string::npos) << err.str();
    }
    EXPECT_EQ(test::ReadBytes(recordPath), recordBytes);
    EXPECT_EQ(test::ReadBytes(pngRecord), recordBytes);
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("fifo.csv")));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("fifo.png")));
}

}  // namespace
}  // namespace tavix::cli
