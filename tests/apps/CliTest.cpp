// tavix-cli against the built-in simulated device: what each command prints,
// and its exit status when things go right, when the device or a file says
// no, and when the command line is wrong.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "CliFixture.h"
#include "Commands.h"
#include "base/FormatText.h"
#include "base/System.h"
#include "config/ConfigLocation.h"
#include "fakes/TempDir.h"
#include "link/LinkMessages.h"
#include "logger/LoggerMessages.h"
#include "platform/SerialBackendFactory.h"
#include "sim/SimDevice.h"

namespace tavix::cli {
namespace {

class CliTest : public CliFixture {
protected:
    // Runs the command line with --config added after the command.
    int Run(std::vector<std::string> args, bool withConfig = true) {
        return RunWith(std::move(args), withConfig ? std::vector<std::string>{"--config", config}
                                                   : std::vector<std::string>{});
    }
};

// Installed, tavix-cli works from any folder: without --config and without
// ./config.ini it makes the user's own from the shipped one and says so on
// standard error, then uses it; standard output is what it always was.
TEST_F(CliTest, WithoutAConfigHereTheUsersOwnIsMadeOnceAndNamed) {
    ASSERT_FALSE(std::filesystem::exists(kConfigFileName)) << "the tests' working folder";
    const std::string user = JoinPath(SystemUserFolders().config, kConfigFileName);
    std::filesystem::remove(user);

    EXPECT_EQ(Run({"identify", "--port", "demo"}, false), kExitOk) << err.str();
    EXPECT_NE(err.str().find("tavix-cli: made the settings file " + user + " from "),
              std::string::npos)
        << err.str();
    EXPECT_TRUE(std::filesystem::exists(user));
    const std::string firstOut = out.str();

    EXPECT_EQ(Run({"identify", "--port", "demo"}, false), kExitOk) << err.str();
    EXPECT_EQ(err.str(), "tavix-cli: settings from " + user + "\n");
    EXPECT_EQ(out.str(), firstOut);
    EXPECT_EQ(Run({"identify", "--port", "demo"}), kExitOk);
    EXPECT_EQ(err.str(), "");  // a file the user named needs no naming back
    std::filesystem::remove(user);
}

TEST_F(CliTest, IdentifyTellsVersionHardwareSeriesAndLogger) {
    EXPECT_EQ(Run({"identify", "--port", "demo"}), kExitOk) << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("Version:       TVKA20141L400312\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Hardware code: 1L40\n"), std::string::npos);
    EXPECT_NE(text.find("Series:        Tarrow\n"), std::string::npos);
    EXPECT_NE(text.find("Logger:        attached\n"), std::string::npos);

    UseDevice(sim::Series::Velmor);
    EXPECT_EQ(Run({"identify", "--port=demo"}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("Series:        Velmor\n"), std::string::npos);
    EXPECT_NE(out.str().find("Logger:        none\n"), std::string::npos);
}

TEST_F(CliTest, IdentifySaysWhenTheDeviceDoesNotAnswerOrThePortCannotOpen) {
    UseDevice(sim::Series::Tarrow).MutableFaults().silent = true;
    EXPECT_EQ(Run({"identify", "--port", "demo"}), kExitRefused);
    // The time-out, then what to check.
    EXPECT_EQ(err.str(),
              std::string(kMsgOpenTimeout) + "\n" + FormatText(kDetailSilence, "demo") + "\n");
    EXPECT_TRUE(out.str().empty());

    EXPECT_EQ(Run({"identify", "--port", dir.File("no-such-port")}), kExitRefused);
    // One line: the port, the system's words, what the machine has instead, "!".
    EXPECT_EQ(
        err.str().rfind(
            "Port " + dir.File("no-such-port") + ": No such file or directory (not found; ", 0),
        0u)
        << err.str();
}

TEST_F(CliTest, UploadWritesEveryFlightAndInfoReadsThemBack) {
    const std::string flights = dir.File("flights");
    ASSERT_EQ(Run({"upload", "--port", "demo", "--gear", "2.5", "--poles", "12", "--note",
                   "club field", "--out", flights}),
              kExitOk)
        << err.str();
    const std::vector<std::string> paths = OutLines();
    ASSERT_EQ(paths.size(), 3u);  // four flights, one too short to keep
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_TRUE(std::filesystem::exists(paths[i])) << paths[i];
        EXPECT_EQ(paths[i].substr(paths[i].size() - 6), "_" + std::to_string(i + 1) + ".dat");
        EXPECT_EQ(std::filesystem::path(paths[i]).parent_path(), flights);
    }
    // The flight list and the summary go to standard error, after the values
    // the files carry.
    const std::string said = err.str();
    EXPECT_EQ(said.rfind("Gear rate 2.50, pole number 12.\nThe logger holds 4 flights:\n", 0), 0u)
        << said;
    EXPECT_NE(said.find("Flights found in the logger: 4\n3 new, 0 already stored in " + flights +
                        "\nRecord files written: 3, in " + flights + "\n"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("Skipped:\n  flight 2: 40 samples, shorter than 64\n"), std::string::npos)
        << said;

    ASSERT_EQ(Run({"info", paths.back()}), kExitOk) << err.str();
    const std::string info = out.str();
    EXPECT_NE(info.find("Hardware code:  1L40\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Note:           club field\n"), std::string::npos);
    EXPECT_NE(info.find("Samples:        230 per channel, 5 channels"), std::string::npos);
    EXPECT_NE(info.find("Gear rate:      2.50    Pole number: 12"), std::string::npos);
    EXPECT_NE(info.find(" 4 Motor RPM"), std::string::npos);
    EXPECT_NE(info.find("Max.Current"), std::string::npos);
}

TEST_F(CliTest, UploadingAgainWritesOnlyTheFlightsFlownSince) {
    const std::string flights = dir.File("flights");
    const std::vector<std::string> upload{"upload", "--port", "demo", "--out", flights};
    ASSERT_EQ(Run(upload), kExitOk) << err.str();
    const std::vector<std::string> first = OutLines();
    ASSERT_EQ(first.size(), 3u);

    // Nothing new: nothing written, and that is no failure.
    ASSERT_EQ(Run(upload), kExitOk) << err.str();
    EXPECT_TRUE(OutLines().empty());
    EXPECT_NE(
        err.str().find("  [ ]  1    380 samples     76.0 s  already stored: " + first[0] + "\n"),
        std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("0 new, 3 already stored in " + flights + "\n"), std::string::npos)
        << err.str();

    // Flown once more (66 samples fit in the memory left): one new file, with
    // the next free number.
    ASSERT_TRUE(device->AppendFlight(300));
    ASSERT_EQ(Run(upload), kExitOk) << err.str();
    const std::vector<std::string> added = OutLines();
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0], first[0].substr(0, first[0].size() - 5) + "4.dat");
    EXPECT_NE(err.str().find("  [x]  5     66 samples     13.2 s  new\n"), std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("1 new, 3 already stored in " + flights + "\n"), std::string::npos)
        << err.str();

    // Asked for by number, a flight already in the folder is still not written twice.
    std::vector<std::string> again = upload;
    again.insert(again.end(), {"--flights", "1,5"});
    ASSERT_EQ(Run(again), kExitOk) << err.str();
    EXPECT_TRUE(OutLines().empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(flights),
                            std::filesystem::directory_iterator()),
              4);

    again.back() = "9";
    EXPECT_EQ(Run(again), kExitRefused);
    EXPECT_NE(err.str().find(FormatText(kMsgNoSuchFlight, 9, 5)), std::string::npos) << err.str();
    again.back() = "newest";
    EXPECT_EQ(Run(again), kExitUsage);
}

TEST_F(CliTest, UploadStoresTheGearRateAndNoteAsTheWindowWould) {
    const std::string flights = dir.File("flights");
    ASSERT_EQ(Run({"upload", "--port", "demo", "--gear", "3.456", "--note", "20\u2103 calm",
                   "--out", flights}),
              kExitOk)
        << err.str();
    const std::string bytes = test::ReadBytes(OutLines().front());
    float gear = 0.0f;
    std::memcpy(&gear, bytes.data() + 28, sizeof gear);  // little-endian, as this machine
    EXPECT_EQ(gear, 3.46f);
    EXPECT_EQ(bytes.substr(296, 10), std::string("20\xA1\xE6 calm\0", 10));  // GBK degree sign
    EXPECT_EQ(err.str().rfind("Gear rate 3.46,", 0), 0u) << err.str();

    ASSERT_EQ(Run({"info", OutLines().front()}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("Note:           20\u2103 calm\n"), std::string::npos) << out.str();

    EXPECT_EQ(Run({"upload", "--gear", "0.004"}), kExitUsage);  // 0.00 on the form
    // The note field holds 512 bytes: 256 degree signs fit, one more does not.
    std::string degrees;
    for (int i = 0; i < 257; ++i) {
        degrees += "\u2103";
    }
    EXPECT_EQ(Run({"upload", "--note", degrees}), kExitUsage);
    EXPECT_NE(err.str().find("needs 514"), std::string::npos) << err.str();
}

TEST_F(CliTest, UploadChecksTheConfiguredGearRateAndPoleNumberAsTypedOnes) {
    const std::string shipped = test::ReadBytes(config);
    const auto configure = [&](const std::string& gear, const std::string& poles) {
        std::string text = shipped;
        const auto set = [&text](const std::string& from, const std::string& to) {
            ASSERT_NE(text.find(from), std::string::npos) << from;
            text.replace(text.find(from), from.size(), to);
        };
        set("[gearrate]\ndefault=1.00", "[gearrate]\ndefault=" + gear);
        set("[polnumber]\ndefault=14", "[polnumber]\ndefault=" + poles);
        test::WriteBytes(config, text);
    };
    // A configured gear rate that is no finite number above 0 becomes 1, as on the form.
    sim::MemoryPlan oneShortFlight;
    oneShortFlight.flights = {64};
    UseDevice(sim::Series::Tarrow).LoadMemory(oneShortFlight);
    for (const char* gear : {"inf", "1e999", "nan", "-3"}) {
        configure(gear, "14");
        ASSERT_EQ(Run({"upload", "--port", "demo", "--out", dir.File(gear)}), kExitOk)
            << gear << err.str();
        EXPECT_NE(err.str().find("Gear rate 1.00, pole number 14."), std::string::npos) << gear;
    }
    // A configured pole number below 2 is refused like --poles 1, until --poles is given.
    for (const char* poles : {"-14", "fourteen", "1"}) {
        configure("2", poles);
        EXPECT_EQ(Run({"upload", "--port", "demo", "--out", dir.File("p")}), kExitUsage) << poles;
        EXPECT_NE(err.str().find("--poles needs a whole number of at least 2"), std::string::npos)
            << err.str();
        EXPECT_NE(err.str().find("[polnumber] default"), std::string::npos) << err.str();
        EXPECT_FALSE(std::filesystem::exists(dir.File("p"))) << poles;
    }
    ASSERT_EQ(Run({"upload", "--port", "demo", "--poles", "12", "--out", dir.File("p")}), kExitOk)
        << err.str();
    EXPECT_NE(err.str().find("Gear rate 2.00, pole number 12."), std::string::npos);
    EXPECT_EQ(Run({"upload", "--poles", "1"}), kExitUsage);
}

TEST_F(CliTest, UploadFromAnEmptyLoggerOrAnEscWithoutLoggerSaysNo) {
    UseDevice(sim::Series::Tarrow).LoadMemory(sim::EmptyMemoryPlan());
    EXPECT_EQ(Run({"upload", "--port", "demo", "--out", dir.File("a")}), kExitRefused);
    EXPECT_NE(err.str().find(std::string(kMsgNoFlyData) + "\n"), std::string::npos) << err.str();
    EXPECT_TRUE(out.str().empty());

    UseDevice(sim::Series::Ostrin);
    EXPECT_EQ(Run({"upload", "--port", "demo", "--out", dir.File("b")}), kExitRefused);
    EXPECT_NE(err.str().find("no flight data logger"), std::string::npos) << err.str();
}

TEST_F(CliTest, InfoRefusesAFileItCannotRead) {
    EXPECT_EQ(Run({"info", dir.File("absent.dat")}), kExitRefused);
    EXPECT_EQ(err.str().rfind("Can't read the record file " + dir.File("absent.dat"), 0), 0u)
        << err.str();

    test::WriteBytes(dir.File("junk.dat"), std::string(2000, '\x7f'));
    EXPECT_EQ(Run({"info", dir.File("junk.dat")}), kExitRefused);
    EXPECT_NE(err.str().find("The file was not loaded."), std::string::npos) << err.str();
    EXPECT_TRUE(out.str().empty());
}

TEST_F(CliTest, FileNamesKeepTheSystemsEncodingInMessagesAndSummaries) {
    // Only the texts inside records are GBK; a file name is the system's (UTF-8).
    const std::string name = dir.File("name \u00FCn\u00EFc\u00F8d\u00E9 \u8BB0\u5F55.dat");
    EXPECT_EQ(Run({"info", name}), kExitRefused);
    EXPECT_EQ(err.str().rfind("Can't read the record file " + name + " (", 0), 0u) << err.str();

    sim::MemoryPlan oneShortFlight;
    oneShortFlight.flights = {64};
    UseDevice(sim::Series::Tarrow).LoadMemory(oneShortFlight);
    const std::string folder = dir.File("\u8BB0\u5F55");
    ASSERT_EQ(Run({"upload", "--port", "demo", "--out", folder}), kExitOk) << err.str();
    const std::string written = OutLines().back();
    std::filesystem::rename(written, name);
    ASSERT_EQ(Run({"info", name}), kExitOk) << err.str();
    EXPECT_NE(out.str().find("File:           " + name), std::string::npos) << out.str();
}

TEST_F(CliTest, AMissingConfigIsAFailureNotACrash) {
    EXPECT_EQ(Run({"info", "x.dat", "--config", dir.File("none.ini")}, false), kExitRefused);
    EXPECT_NE(err.str().find("none.ini"), std::string::npos) << err.str();
    // Below the program's words: the file and the system's reason.
    std::filesystem::create_directory(dir.File("folder.ini"));
    std::filesystem::create_symlink(dir.File("loop.ini"), dir.File("loop.ini"));
    for (const auto& [name, reason] : {std::pair{"folder.ini", "Not a regular file"},
                                       {"loop.ini", "Too many levels of symbolic links"}}) {
        EXPECT_EQ(Run({"info", "x.dat", "--config", dir.File(name)}, false), kExitRefused);
        EXPECT_NE(err.str().find(dir.File(name) + ": " + reason + "\n"), std::string::npos)
            << err.str();
    }
}

TEST_F(CliTest, ImageDrawsTheRecordPageOfARecordFileInEachFormat) {
    ASSERT_EQ(Run({"upload", "--port", "demo", "--out", dir.Path().string()}), kExitOk)
        << err.str();
    const std::string record = OutLines().back();
    struct Case {
        std::string out;
        std::string written;
        const char* format;
    };
    const Case cases[] = {
        {dir.File("chart.png"), dir.File("chart.png"), "png"},
        {dir.File("chart.gif"), dir.File("chart.gif"), "gif"},
        {dir.File("chart.bmp"), dir.File("chart.bmp"), "bmp"},
        {dir.File("chart"), dir.File("chart.jpg"), "jpeg"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Run({"image", record, "-o", c.out, "--size", "800x500"}), kExitOk) << err.str();
        EXPECT_EQ(out.str(), c.written + "\n");
        const QString path = QString::fromStdString(c.written);
        EXPECT_EQ(QImageReader(path).format(), QByteArray(c.format)) << c.written;
        const QImage image(path);
        ASSERT_EQ(image.size(), QSize(800, 500)) << c.written;
        if (std::string(c.format) != "jpeg") {
            // The plot's background is there, around the curves.
            int plot = 0;
            for (int x = 0; x < 800; x += 4) {
                plot += image.pixelColor(x, 200) == QColor(236, 233, 216) ? 1 : 0;
            }
            EXPECT_GT(plot, 50) << c.written;
        }
    }
    // --power: the power curve and its scale, in its colour (deep pink by default).
    auto pinkPixels = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.red() > 200 && c.green() < 90 && c.blue() > 100 && c.blue() < 190 ? 1 : 0;
            }
        }
        return n;
    };
    const std::string power = dir.File("power.png");
    ASSERT_EQ(Run({"image", record, "-o", power, "--power", "--size", "800x500"}), kExitOk);
    const QImage plain(QString::fromStdString(dir.File("chart.png")));
    const QImage withPower(QString::fromStdString(power));
    EXPECT_GT(pinkPixels(withPower), pinkPixels(plain) + 500);
    EXPECT_EQ(Run({"image", record, "-o", dir.File("chart.txt")}), kExitRefused);
    EXPECT_EQ(err.str().rfind("Image save error!", 0), 0u) << err.str();
    EXPECT_FALSE(std::filesystem::exists(dir.File("chart.txt")));
    EXPECT_EQ(Run({"image", dir.File("none.dat"), "-o", dir.File("x.png")}), kExitRefused);
}

TEST_F(CliTest, UsageErrorsAndHelp) {
    EXPECT_EQ(Run({}, false), kExitUsage);
    EXPECT_EQ(Run({"frobnicate"}, false), kExitUsage);
    EXPECT_EQ(Run({"upload", "--gear", "abc"}), kExitUsage);
    EXPECT_EQ(Run({"upload", "--gear", "0"}), kExitUsage);
    EXPECT_EQ(Run({"upload", "--gear", "1e38"}), kExitUsage);  // the RPM would overflow
    EXPECT_EQ(Run({"upload", "--poles", "0"}), kExitUsage);
    EXPECT_EQ(Run({"upload", "--poles", "14x"}), kExitUsage);
    EXPECT_EQ(Run({"identify", "--colour", "red"}), kExitUsage);
    EXPECT_EQ(Run({"identify", "--port"}), kExitUsage);
    EXPECT_EQ(Run({"info"}), kExitUsage);
    EXPECT_EQ(Run({"info", "a.dat", "b.dat"}), kExitUsage);
    EXPECT_NE(err.str().find("Usage: tavix-cli info"), std::string::npos);
    EXPECT_EQ(Run({"image", "a.dat"}), kExitUsage);
    EXPECT_EQ(Run({"image", "a.dat", "-o", "a.png", "--size", "800"}), kExitUsage);
    EXPECT_EQ(Run({"image", "a.dat", "-o", "a.png", "--size", "50x50"}), kExitUsage);

    for (const char* command : {"identify", "upload", "info", "image"}) {
        EXPECT_EQ(Run({command, "--help"}, false), kExitOk) << command;
        EXPECT_EQ(out.str().rfind(std::string("Usage: tavix-cli ") + command, 0), 0u) << command;
        // The settings option is explained once, below the command's own.
        const std::string help = out.str();
        const std::size_t config = help.find("--config FILE  ");
        EXPECT_NE(config, std::string::npos) << command;
        EXPECT_EQ(help.find("--config FILE  ", config + 1), std::string::npos) << command;
    }
    EXPECT_EQ(Run({"--help"}, false), kExitOk);
    EXPECT_NE(out.str().find("identify"), std::string::npos);
}

// A name longer than the usual column moves every summary, it does not
// underflow the padding.
TEST(CommandList, SummariesStartInOneColumnPastTheLongestName) {
    const Command shortName{.name = "info", .summary = "one", .usage = "", .options = {}};
    const Command longName{
        .name = "a-long-command-name", .summary = "two", .usage = "", .options = {}};
    const Command* const usual[] = {&shortName};
    const Command* const both[] = {&shortName, &longName};
    std::ostringstream out;
    PrintCommandList(out, usual);
    EXPECT_EQ(out.str(), "  info      one\n");
    out.str("");
    PrintCommandList(out, both);
    EXPECT_EQ(out.str(),
              "  info                 one\n"
              "  a-long-command-name  two\n");
}

}  // namespace
}  // namespace tavix::cli
