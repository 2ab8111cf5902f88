// The records compared with the one shown: at most three added, never the
// same file twice, a file that does not open named with its reason; the
// alignment choice and each flight's offset; a new reference starts anew.
#include "records/Comparison.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "config/CIniFile.h"
#include "config/CalibrationBook.h"
#include "core/records/RecordTestData.h"
#include "fakes/TempDir.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"
#include "records/RecordFile.h"
#include "records/RecordSummary.h"

namespace tavix {
namespace {

class ComparisonTest : public ::testing::Test {
protected:
    ComparisonTest() {
        test::AddProfile(ini, "1L40", 0.1f, 0.000001f);
        ini.PutText("1L40", "kvalue2", "0.5", true);  // throttle in 0.5 % steps from 0
        ini.PutText("1L40", "cvalue2", "0", true);
        book = CalibrationBook::FromIni(ini);
    }

    // A record file of `seconds` at `rate` whose throttle jumps from 5 % to
    // 30 % at `riseSeconds`.
    std::string Write(const std::string& name, int rate, int seconds, double riseSeconds,
                      const std::string& note = {}) {
        auto record = test::MakeRecord(5, rate * seconds);
        record->header.rate = rate;
        SetFixedText(record->header.note, note);
        for (int j = 0; j < rate * seconds; ++j) {
            for (int ch = 0; ch < 5; ++ch) {
                record->raw[ch][j] = 100;
            }
            record->raw[kThrottle][j] = j >= riseSeconds * rate ? 60 : 10;
        }
        const std::string path = dir.File(name);
        test::WriteBytes(path, EncodeRecordFile(*record));
        return path;
    }

    // `path` opened as the window's record, the reference.
    void Show(const std::string& path) {
        RecordForm form;
        std::string message;
        shown = ReadRecordFile(path, book, form, message);
        ASSERT_TRUE(shown) << message;
        shown->Convert(windows);
        comparison = std::make_unique<Comparison>(*shown, windows);
        comparison->SetReference(path);
    }

    bool Add(const std::string& path) { return comparison->Add(path, book, message); }

    test::TempDir dir;
    CIniFile ini;
    CalibrationBook book;
    std::array<int, kChannelCount> windows{1, 1, 1, 1, 1, 1, 1, 1};
    std::unique_ptr<FlightData> shown;
    std::unique_ptr<Comparison> comparison;
    std::string message;
};

TEST_F(ComparisonTest, AddsAtMostThreeOthersAndNamesEveryRefusal) {
    const std::string a = Write("a.dat", 5, 20, 5);
    FlightData empty;
    Comparison none(empty, windows);
    EXPECT_FALSE(none.Add(a, book, message));
    EXPECT_EQ(message, kMsgCompareNoReference);

    Show(a);
    test::WriteBytes(dir.File("broken.dat"), "a shopping list");
    test::SecondName(a, dir.File("link.dat"));
    EXPECT_FALSE(Add(dir.File("broken.dat")));
    EXPECT_NE(message.find("broken.dat can't be compared: "), std::string::npos) << message;
    EXPECT_GT(message.size(), std::string("broken.dat can't be compared: ").size());
    EXPECT_FALSE(Add(dir.File("link.dat")));  // the reference under another name
    EXPECT_EQ(message, "link.dat is compared already.");

    for (const char* name : {"b.dat", "c.dat", "d.dat"}) {
        ASSERT_TRUE(Add(Write(name, 5, 10, 2))) << message;
    }
    EXPECT_FALSE(Add(dir.File("./c.dat")));
    EXPECT_EQ(message, "c.dat is compared already.");
    EXPECT_FALSE(Add(Write("e.dat", 5, 10, 2)));
    EXPECT_EQ(message, "e.dat is not compared: at most four records are compared at once.");

    ASSERT_EQ(comparison->Count(), 4);
    EXPECT_EQ(comparison->Name(0), "a.dat");
    // Another folder's a.dat is told apart by its path, the reference too.
    comparison->Remove(3);
    std::filesystem::create_directory(dir.File("other"));
    ASSERT_TRUE(Add(Write("other/a.dat", 5, 10, 2))) << message;
    EXPECT_EQ(comparison->Name(0), a);
    EXPECT_EQ(comparison->Name(3), dir.File("other/a.dat"));
    EXPECT_EQ(comparison->Flights()[3].name, dir.File("other/a.dat"));
    EXPECT_EQ(comparison->Name(1), "b.dat");
    comparison->Remove(3);
    ASSERT_TRUE(Add(Write("d.dat", 5, 10, 2, "Pack: 3S-A\nwindy")));
    EXPECT_EQ(comparison->Record(3).name, "d.dat");
    // The legend names the file, the start and, when the note names it, the pack.
    EXPECT_EQ(comparison->Legend(2), "c.dat  " + LocalTimeText(comparison->Record(2).time));
    EXPECT_EQ(comparison->Legend(3),
              "d.dat  " + LocalTimeText(comparison->Record(3).time) + "  pack 3S-A");
    // Each added flight is converted: its figures are there to compare.
    const FlightComparison figures = comparison->Compare();
    ASSERT_EQ(figures.figures.size(), 4u);
    EXPECT_NEAR(*At(figures.figures[3], Figure::Duration), 10.0, 1e-9);
}

TEST_F(ComparisonTest, RemovingOneMovesTheLaterUpAndANewReferenceStartsAnew) {
    Show(Write("a.dat", 5, 20, 5));
    for (const char* name : {"b.dat", "c.dat", "d.dat"}) {
        ASSERT_TRUE(Add(Write(name, 5, 10, 2))) << message;
    }
    comparison->Remove(2);
    comparison->Remove(7);  // no such flight: nothing happens
    ASSERT_EQ(comparison->Added(), 2);
    EXPECT_EQ(comparison->Name(2), "d.dat");
    EXPECT_TRUE(Add(dir.File("c.dat")));  // taken out, so it may come back

    comparison->SetAlignment(AlignMode::Throttle, 20.0);
    comparison->SetReference(dir.File("b.dat"));
    EXPECT_FALSE(comparison->Active());
    EXPECT_EQ(comparison->Mode(), AlignMode::Throttle);  // the user's choice stays
    EXPECT_TRUE(Add(dir.File("a.dat")));                 // no longer the reference

    // Points picked with cursor A belong to the records they were picked in:
    // a new reference is aligned at the starts, and says so.
    comparison->SetAlignment(AlignMode::CursorA, 20.0, 1.0);
    comparison->SetReference(dir.File("c.dat"));
    EXPECT_EQ(comparison->Mode(), AlignMode::Start);
}

TEST_F(ComparisonTest, OffsetsFollowTheAlignmentInEachFlightsOwnSeconds) {
    // The reference at 10 samples a second rises at 5 s; the other at 4 a
    // second rises at 2 s and a third at 10 a second rises at 1 s.
    Show(Write("ref.dat", 10, 30, 5));
    ASSERT_TRUE(Add(Write("slow.dat", 4, 30, 2)));
    ASSERT_TRUE(Add(Write("fast.dat", 10, 30, 1)));
    struct Step {
        const char* what;
        std::function<void()> act;
        double slow, fast;
    };
    const Step steps[] = {
        {"start", [] {}, 0.0, 0.0},
        {"throttle", [&] { comparison->SetAlignment(AlignMode::Throttle, 20.0); }, 3.0, 4.0},
        {"cursor A chosen: the reference's point at 7 s, the others stay",
         [&] { comparison->SetAlignment(AlignMode::CursorA, 20.0, 7.0); }, 3.0, 4.0},
        {"slow's point is what is drawn at 9 s: its 6 s goes onto the reference's 7 s",
         [&] { comparison->AlignAtCursor(1, 9.0); }, 1.0, 4.0},
        {"the reference's point moves to 8 s: the others follow",
         [&] { comparison->AlignAtCursor(0, 8.0); }, 2.0, 5.0},
        {"slow goes: fast keeps its point",
         [&] {
             comparison->Remove(1);
             ASSERT_TRUE(Add(dir.File("slow.dat")));  // back, at its start
         },
         8.0, 5.0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        const auto& alignment = comparison->Alignment();
        ASSERT_EQ(alignment.size(), 3u);
        EXPECT_DOUBLE_EQ(comparison->Offset(0), 0.0);
        EXPECT_NEAR(comparison->Offset(comparison->Name(1) == "slow.dat" ? 1 : 2), step.slow, 1e-9);
        EXPECT_NEAR(comparison->Offset(comparison->Name(1) == "fast.dat" ? 1 : 2), step.fast, 1e-9);
    }
}

}  // namespace
}  // namespace tavix
