// tavix-cli esc against the built-in simulated ESC: what read prints, what
// write changes and reports, and what it refuses before touching the ESC.
#include <gtest/gtest.h>

#include <QTimer>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CliFixture.h"
#include "Commands.h"
#include "esc/EscBatch.h"
#include "esc/EscParamText.h"
#include "fakes/TempDir.h"
#include "link/Frame.h"
#include "platform/SerialBackendFactory.h"
#include "sim/SimDevice.h"

namespace tavix::cli {
namespace {

class EscCliTest : public CliFixture {
protected:
    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "esc");
        return RunWith(std::move(args), {"--config", config, "--port", "demo"}, 2);
    }
    bool Printed(const std::string& line) const {
        return ("\n" + out.str()).find("\n" + line + "\n") != std::string::npos;
    }
};

TEST_F(EscCliTest, ReadPrintsVersionAndEveryParameterInPageOrder) {
    UseDevice(sim::Series::Ostrin);
    ASSERT_EQ(Run({"read"}), kExitOk) << err.str();
    EXPECT_EQ(out.str().rfind("Tavix ESC parameters\nSeries: Ostrin\n"
                              "Firmware Version: TVKC20140C300312\n"
                              "Low Voltage Cutoff: Disable\n"
                              "Lipo cell Cutoff Voltage: 3.0V\n"
                              "Current Limit: Standard\n"
                              "Timing Advance: Auto\n"
                              "Over-heat Protection: 95\u2103(203F)\n",
                              0),
              0u)
        << out.str();
    EXPECT_TRUE(Printed("Throttle Neutral: 1500 uS"));
    EXPECT_TRUE(Printed("Temperature Offset: 0"));
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
}

TEST_F(EscCliTest, WriteSetsByNameAndReadsBack) {
    ASSERT_EQ(Run({"write", "Brake Types=Hard Brake", "pwm rate=2"}), kExitOk) << err.str();
    EXPECT_TRUE(Printed("Parameters updating complete!"));
    EXPECT_TRUE(Printed("Brake Types: Hard Brake"));
    EXPECT_TRUE(Printed("PWM Rate: 16 KHz"));
    EXPECT_EQ(device->ParamBlock()[3], 2);
    EXPECT_EQ(device->ParamBlock()[8], 2);
    EXPECT_EQ(device->ParamBlock()[10], sim::DefaultParamBlock(sim::Series::Tarrow)[10]);
    EXPECT_EQ(device->RequestCount(kCmdReadBlock), 4);  // identify, read, check, read back
}

TEST_F(EscCliTest, ADryRunPrintsWhatAWriteWouldChangeAndSendsNothing) {
    ASSERT_EQ(Run({"write", "--dry-run", "Brake Types=Hard Brake", "pwm rate=2"}), kExitOk)
        << err.str();
    EXPECT_EQ(out.str(), "Brake Types: No Brake -> Hard Brake\nPWM Rate: 8 KHz -> 16 KHz\n");
    ASSERT_EQ(Run({"write", "--dry-run", "pwm rate=8 KHz"}), kExitOk) << err.str();
    EXPECT_TRUE(Printed(kTextNothingChanges)) << out.str();
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
}

TEST_F(EscCliTest, UnknownNamesAndValuesAreRefusedBeforeAnythingIsWritten) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{"write", "Brake Types=Hardest"}, kExitRefused, "\"Hardest\" is no value of Brake Types"},
        {{"write", "Temperature Offset=3"}, kExitRefused, "The Tarrow series has no parameter"},
        {{"write", "Throttle Range=800"}, kExitRefused, "Throttle Range comes from the ESC"},
        {{"write", "LVC"}, kExitUsage, "\"LVC\" is not NAME=VALUE"},
        {{"write"}, kExitUsage, "write needs NAME=VALUE or --from FILE"},
        {{"read", "LVC=1"}, kExitUsage, "read takes no parameters"},
        {{"erase"}, kExitUsage, "unknown action erase"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.args), c.status) << c.args.front();
        EXPECT_NE(err.str().find(c.says), std::string::npos) << err.str();
    }
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
}

TEST_F(EscCliTest, ReadExplainsEachValueAndItsOutputStillWritesBack) {
    ASSERT_EQ(Run({"read", "--explain"}), kExitOk) << err.str();
    EXPECT_TRUE(
        Printed("PWM Rate: 8 KHz  # Switching frequency of the ESC: higher runs smoother "
                "and suits low-inductance motors, lower keeps the ESC cooler. [KHz]"))
        << out.str();
    const std::string path = dir.File("explained.esc.txt");
    std::ofstream(path) << out.str();
    ASSERT_EQ(Run({"write", "--dry-run", "--from", path}), kExitOk) << err.str();
    EXPECT_TRUE(Printed(kTextNothingChanges)) << out.str();
    EXPECT_EQ(Run({"write", "--explain", "LVC=1"}), kExitUsage);
}

TEST_F(EscCliTest, WriteReportsBytesThatDidNotTake) {
    device->MutableFaults().keepParamBlock = true;
    EXPECT_EQ(Run({"write", "Brake Types=2"}), kExitRefused);
    EXPECT_NE(err.str().find("Offset 3 (Brake Types): wrote 2, the ESC holds 0."),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("1 byte(s) did not take."), std::string::npos);
}

TEST_F(EscCliTest, WriteFromAParameterFileOfTheSameSeriesOnly) {
    UseDevice(sim::Series::Velmor);
    ASSERT_EQ(Run({"read"}), kExitOk) << err.str();
    std::string file = out.str();
    file.replace(file.find("PWM Rate: 8 KHz"), 15, "PWM Rate: 12 KHz");
    const std::string path = dir.File("velmor.txt");
    std::ofstream(path) << file;

    ASSERT_EQ(Run({"write", "--from", path, "LVC=Auto"}), kExitOk) << err.str();
    EXPECT_EQ(device->ParamBlock()[8], 1);
    EXPECT_EQ(device->ParamBlock()[1], 0);

    UseDevice(sim::Series::Peldan);
    EXPECT_EQ(Run({"write", "--from", path}), kExitRefused);
    EXPECT_NE(err.str().find("parameters of the Velmor series, but this is the Peldan"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
}

// The history, diff and restore on the same ESC, as a user would run them.
class EscHistoryCliTest : public EscCliTest {
protected:
    EscHistoryCliTest() { setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1); }
    // The lines of `esc history`, each split at its tabs.
    std::vector<std::vector<std::string>> History() {
        EXPECT_EQ(Run({"history"}), kExitOk);
        std::vector<std::vector<std::string>> lines;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string> fields;
            std::istringstream cells(line);
            for (std::string cell; std::getline(cells, cell, '\t');) {
                fields.push_back(cell);
            }
            lines.push_back(fields);
        }
        return lines;
    }
};

TEST_F(EscHistoryCliTest, ReadWriteDiffAndRestoreOfTheKeptBytes) {
    UseDevice(sim::Series::Velmor);
    ASSERT_EQ(Run({"write", "Brake Types=2"}), kExitOk) << err.str();
    auto lines = History();
    ASSERT_EQ(lines.size(), 2u) << out.str();  // identification = the read; then after the write
    EXPECT_EQ(lines[0][2], "after-write");
    EXPECT_EQ(lines[1][2], "read");
    EXPECT_EQ(lines[0][3], "Velmor");
    EXPECT_EQ(lines[0][4], sim::kVelmorVersion);
    EXPECT_TRUE(std::filesystem::path(lines[0][0]).is_absolute());
    const std::string before = lines[1][0];

    // An upgrade (say) resets the ESC, kept bytes too.
    Bytes reset = device->ParamBlock();
    reset[3] = 0;
    reset[10] = 0;
    device->SetParamBlock(reset);
    ASSERT_EQ(Run({"diff", lines[0][0], "device"}), kExitOk) << err.str();
    EXPECT_TRUE(Printed("* Brake  Types: Hard Brake | No Brake")) << out.str();
    EXPECT_TRUE(Printed("1 parameter(s) differ."));

    ASSERT_EQ(Run({"restore", lines[0][0]}), kExitOk) << err.str();
    EXPECT_TRUE(Printed("Brake  Types: No Brake -> Hard Brake")) << out.str();
    EXPECT_EQ(device->ParamBlock()[3], 2);
    EXPECT_EQ(device->ParamBlock()[10], sim::DefaultParamBlock(sim::Series::Velmor)[10]);
    lines = History();
    EXPECT_EQ(lines[0][2], "restore");

    // A snapshot of the Velmor is refused by an Ostrin.
    UseDevice(sim::Series::Ostrin);
    EXPECT_EQ(Run({"restore", before}), kExitRefused);
    EXPECT_NE(err.str().find("Velmor series, but this ESC is of the Ostrin series"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
}

TEST_F(EscHistoryCliTest, RestoreReportsEveryByteThatDidNotTake) {
    UseDevice(sim::Series::Tarrow);
    ASSERT_EQ(Run({"write", "Brake Types=2", "PWM Rate=1"}), kExitOk) << err.str();
    const std::string snapshot = History()[0][0];
    UseDevice(sim::Series::Tarrow);
    device->MutableFaults().keepParamBlock = true;
    EXPECT_EQ(Run({"restore", snapshot}), kExitRefused);
    EXPECT_NE(err.str().find("Offset 3 (Brake Types): wrote 2, the ESC holds 0."),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("2 byte(s) did not take."), std::string::npos) << err.str();
}

// Presets as a pilot uses them: saved from one ESC, applied to the next.
TEST_F(EscHistoryCliTest, PresetSavedFromOneEscIsAppliedToAnotherOfItsSeriesOnly) {
    UseDevice(sim::Series::Velmor);
    ASSERT_EQ(Run({"write", "PWM Rate=16 KHz"}), kExitOk) << err.str();
    ASSERT_EQ(Run({"preset", "save", "boat 4S"}), kExitOk) << err.str();
    EXPECT_TRUE(Printed("Saved the preset \"boat 4S\" (Velmor series).")) << out.str();
    EXPECT_EQ(Run({"preset", "save", "boat 4S"}), kExitRefused);  // not replaced unasked
    EXPECT_NE(err.str().find("exists already. Use --replace"), std::string::npos) << err.str();
    ASSERT_EQ(Run({"preset", "list"}), kExitOk);
    EXPECT_EQ(out.str(), "boat 4S\tVelmor\n");

    // The next ESC of the model: a dry run first, then the write with its read-back.
    UseDevice(sim::Series::Velmor);
    ASSERT_EQ(Run({"preset", "apply", "boat 4S", "--dry-run"}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "PWM Rate: 8 KHz -> 16 KHz\n");
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
    ASSERT_EQ(Run({"preset", "apply", "boat 4S"}), kExitOk) << err.str();
    EXPECT_EQ(device->ParamBlock()[8], 2);
    EXPECT_EQ(History()[0][2], "after-write");

    UseDevice(sim::Series::Ostrin);
    EXPECT_EQ(Run({"preset", "apply", "boat 4S"}), kExitRefused);
    EXPECT_NE(err.str().find("The preset \"boat 4S\" holds parameters of the Velmor series, but "
                             "this ESC is of the Ostrin series!"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);

    // Shared as a file and taken back under another name.
    const std::string shared = dir.File("shared.esc.txt");
    ASSERT_EQ(Run({"preset", "export", "boat 4S", shared}), kExitOk) << err.str();
    ASSERT_EQ(Run({"preset", "import", shared, "copy"}), kExitOk) << err.str();
    ASSERT_EQ(Run({"preset", "delete", "boat 4S"}), kExitOk) << err.str();
    ASSERT_EQ(Run({"preset", "list"}), kExitOk);
    EXPECT_EQ(out.str(), "copy\tVelmor\n");

    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } refused[] = {
        {{"preset", "save", "../x"}, kExitRefused, "can't name a preset: it may not hold /"},
        {{"preset", "apply", "none"}, kExitRefused, "There is no preset named \"none\"."},
        {{"preset", "delete"}, kExitUsage, "delete needs a NAME"},
        {{"preset", "list", "--dry-run"}, kExitUsage, "--dry-run is for preset apply"},
        {{"preset", "rename"}, kExitUsage, "unknown preset action rename"},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(Run(c.args), c.status) << c.args[1];
        EXPECT_NE(err.str().find(c.says), std::string::npos) << err.str();
    }
}

// A batch of three ESCs on the demo line, played by a pilot who unplugs each
// ESC once it is done and plugs in the next: a Tarrow, a Velmor (refused),
// and a Tarrow again.
TEST_F(EscHistoryCliTest, ABatchWritesTheNthEscAndRefusesAnotherSeries) {
    const std::string preset = dir.File("race.esc.txt");
    std::ofstream(preset) << "Tavix ESC parameters\nSeries: Tarrow\nPWM Rate: 16 KHz\n";
    int plugged = 1;  // ESCs plugged in so far
    QTimer pilot;
    QObject::connect(&pilot, &QTimer::timeout, [&] {
        const std::string said = err.str();
        const auto lines = [&said](const char* text) {
            int n = 0;
            for (std::size_t at = said.find(text); at != std::string::npos;
                 at = said.find(text, at + 1)) {
                ++n;
            }
            return n;
        };
        sim::SimFaults& faults = device->MutableFaults();
        const int done = lines("Unplug it");
        if (!faults.silent && done == plugged) {
            faults.silent = true;  // unplugged
        } else if (faults.silent && lines(kBatchWaiting) > plugged) {
            device->SwapEsc(plugged == 1 ? sim::Series::Velmor : sim::Series::Tarrow);
            ++plugged;
            faults.silent = false;
        }
    });
    pilot.start(20);
    const std::string report = dir.File("report.csv");
    ASSERT_EQ(Run({"batch", "--from", preset, "--count", "2", "--report", report}), kExitOk)
        << err.str();
    EXPECT_EQ(test::ReadBytes(report), std::string("esc,version,series,result,not_taken\n1,") +
                                           sim::kTarrowVersion + ",Tarrow,written,\n2," +
                                           sim::kVelmorVersion + ",Velmor,refused,\n3," +
                                           sim::kTarrowVersion + ",Tarrow,written,\n");
    EXPECT_NE(err.str().find("Done: 2 of 2 ESCs written and read back."), std::string::npos);
    EXPECT_TRUE(Printed("ESC 2: " + std::string(sim::kVelmorVersion) + " Velmor refused"))
        << out.str();
    EXPECT_EQ(device->ParamBlock()[8], 2);
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 2);  // one per Tarrow, none for the Velmor
    EXPECT_EQ(History()[0][2], "after-write");

    EXPECT_EQ(Run({"batch", "--from", preset}), kExitUsage);
    EXPECT_EQ(Run({"batch", "--from", preset, "--count", "0"}), kExitUsage);
}

// A snapshot's time and reason lines, a file name and a usage error quote
// text from outside: its control characters are shown, never sent.
TEST_F(EscHistoryCliTest, TextFromOutsideReachesTheTerminalEscaped) {
    UseDevice(sim::Series::Velmor);
    ASSERT_EQ(Run({"read"}), kExitOk) << err.str();
    const std::string kept = History()[0][0];
    std::string text = test::ReadBytes(kept);
    const std::size_t time = text.find("# Time: ") + 8;
    text.insert(time, "\x1b]0;owned\x07");
    text.insert(text.find("# Reason: ") + 10, "\x1b[2J");
    test::WriteBytes(kept, text);
    const std::string bad = dir.File("bad\x1b[31m.esc.txt");
    struct Case {
        std::vector<std::string> args;
        const char* shows;
    };
    const Case cases[] = {
        {{"history"}, "\\x1B]0;owned\\x07"},
        {{"history"}, "\\x1B[2Jread"},
        {{"write", "--from", bad}, "bad\\x1B[31m.esc.txt"},
        {{"frobnicate\x1b[5m"}, "unknown action frobnicate\\x1B[5m"},
    };
    for (const Case& c : cases) {
        Run(c.args);
        const std::string all = out.str() + err.str();
        EXPECT_NE(all.find(c.shows), std::string::npos) << all;
        EXPECT_EQ(all.find('\x1b'), std::string::npos) << all;
    }
}

TEST_F(EscCliTest, AParameterFileFarLargerThanOneIsRefusedBeforeTheEscIsAsked) {
    ASSERT_EQ(Run({"read"}), kExitOk) << err.str();
    // A valid file padded past 64 KB with comment lines is no parameter file.
    const std::string path = dir.File("huge.esc.txt");
    std::ofstream(path) << out.str() << std::string(70000, '#') << '\n';
    const int readsBefore = device->RequestCount(kCmdReadBlock);
    EXPECT_EQ(Run({"write", "--from", path}), kExitRefused);
    EXPECT_NE(err.str().find("Can't read " + path + "!\n" + path + ": File too large"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(device->RequestCount(kCmdReadBlock), readsBefore);
    EXPECT_EQ(device->RequestCount(kCmdWriteBlock), 0);
}

}  // namespace
}  // namespace tavix::cli
