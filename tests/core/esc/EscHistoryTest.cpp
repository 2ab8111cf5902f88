// The snapshot history: what is kept on every path of the parameter page, what
// is not kept twice, the bounded folder, a failed write reported, and a
// restore that puts back the kept bytes too.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/FormatText.h"
#include "base/Paths.h"
#include "core/esc/EscSessionFixture.h"
#include "esc/EscHistory.h"
#include "esc/EscMessages.h"
#include "esc/EscPageEdits.h"
#include "esc/EscParamText.h"
#include "fakes/FixedClock.h"
#include "fakes/SystemFiles.h"
#include "fakes/TempDir.h"
#include "link/Frame.h"
#include "sim/DeviceProfile.h"

namespace tavix::test {
namespace {

class History : public ::testing::Test {
protected:
    std::vector<std::string> Reasons() const {
        std::vector<std::string> reasons;
        for (const EscSnapshot& s : history.List()) {
            reasons.push_back(s.reason);
        }
        return reasons;
    }
    TempDir dir;
    FixedClock clock;
    EscHistory history{dir.File("esc-history"), clock};
};

TEST_F(History, AChangedBlockIsKeptAndAnUnchangedOneIsNotKeptAgain) {
    Bytes block = sim::DefaultParamBlock(sim::Series::Velmor);
    EXPECT_EQ(history.Keep(SnapshotReason::Read, block), "");
    EXPECT_EQ(history.Keep(SnapshotReason::BeforeWrite, block), "");
    // Another ESC (an Ostrin) between does not make the Velmor's block new.
    EXPECT_EQ(history.Keep(SnapshotReason::Read, sim::DefaultParamBlock(sim::Series::Ostrin)), "");
    EXPECT_EQ(history.Keep(SnapshotReason::Read, block), "");
    block[3] = 2;
    EXPECT_EQ(history.Keep(SnapshotReason::AfterWrite, block), "");
    EXPECT_EQ(Reasons(), (std::vector<std::string>{"after-write", "read", "read"}));

    const EscSnapshot newest = history.List().front();
    EXPECT_EQ(newest.block, block);
    EXPECT_EQ(newest.series, "Velmor");
    EXPECT_EQ(newest.version, sim::kVelmorVersion);
    EXPECT_EQ(newest.time, "2014-03-07 12:00:00");
    EXPECT_TRUE(std::filesystem::path(newest.path).is_absolute());
    // The file is a parameter file the page's "Load from File..." takes.
    std::string error;
    const auto settings = ParseParamFile(VelmorTable(), ReadBytes(newest.path), newest.path, error);
    EXPECT_EQ(error, "");
    EXPECT_FALSE(settings.empty());
}

TEST_F(History, TheFolderKeepsTheNewestFiftyOfEachSeriesAndVersion) {
    Bytes block = sim::DefaultParamBlock(sim::Series::Peldan);
    EXPECT_EQ(history.Keep(SnapshotReason::Read, sim::DefaultParamBlock(sim::Series::Tarrow)), "");
    for (int i = 0; i < 60; ++i) {
        block[2] = static_cast<std::uint8_t>(i);
        clock.local.second = i % 60;
        clock.local.minute = i / 60 + 1;
        ASSERT_EQ(history.Keep(SnapshotReason::Read, block), "");
    }
    const auto all = history.List();
    ASSERT_EQ(all.size(), kHistoryKeep + 1);
    EXPECT_EQ(all.front().block[2], 59);
    EXPECT_EQ(all[kHistoryKeep - 1].block[2], 10);
    EXPECT_EQ(all.back().series, "Tarrow");
}

// A clock set back (no real-time clock, another time zone): fifty snapshots
// of a later year, by this build and by older ones that kept no sequence,
// must not push out the snapshot just taken.
TEST_F(History, SnapshotsAreOrderedByTheirSequenceNotByTheClock) {
    namespace fs = std::filesystem;
    Bytes block = sim::DefaultParamBlock(sim::Series::Peldan);
    clock.local.year = 2030;
    for (int i = 0; i < 50; ++i) {
        block[2] = static_cast<std::uint8_t>(i);
        clock.local.second = i;
        ASSERT_EQ(history.Keep(SnapshotReason::Read, block), "");
    }
    // Older builds named them by time alone: "20310101-000000-01-...".
    for (const EscSnapshot& s : history.List()) {
        std::string old = fs::path(s.path).filename().string();
        old.replace(0, 23, FormatText("2031%04d-000000-01", s.block[2]));
        std::string text = ReadBytes(s.path);
        text.erase(text.find("# Sequence: "), text.find("# Reason") - text.find("# Sequence: "));
        WriteBytes(history.Folder() + "/" + old, text);
    }
    clock.local = test::FixedClock{}.local;
    block[2] = 99;
    ASSERT_EQ(history.Keep(SnapshotReason::AfterWrite, block), "");

    const auto all = history.List();
    ASSERT_EQ(all.size(), kHistoryKeep);
    EXPECT_EQ(all.front().path, history.LastKept());
    EXPECT_EQ(all.front().block[2], 99);
    EXPECT_EQ(all.front().sequence, 51);
    EXPECT_EQ(all.front().time, "2014-03-07 12:00:00");
    // Then the numbered ones, newest first; every snapshot without a number went.
    EXPECT_EQ(all[1].block[2], 49);
    EXPECT_EQ(all.back().block[2], 1);
    EXPECT_EQ(all.back().sequence, 2);
}

TEST_F(History, SnapshotsWithoutASequenceStillReadAndComeLastInNameOrder) {
    const Bytes block = sim::DefaultParamBlock(sim::Series::Tarrow);
    ASSERT_EQ(history.Keep(SnapshotReason::Read, block), "");
    const std::string text = ReadBytes(history.LastKept());
    std::string unnumbered = text;
    unnumbered.erase(text.find("# Sequence: "), text.find("# Reason") - text.find("# Sequence: "));
    WriteBytes(history.Folder() + "/20300101-000000-01-Tarrow-x-read.esc.txt", unnumbered);
    WriteBytes(history.Folder() + "/20300101-000000-02-Tarrow-x-read.esc.txt", unnumbered);
    // A snapshot saved under a name of the user's keeps the number it holds.
    WriteBytes(history.Folder() + "/mine.esc.txt", text);
    std::vector<std::string> names;
    for (const EscSnapshot& s : history.List()) {
        names.push_back(std::filesystem::path(s.path).filename().string());
    }
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[2], "20300101-000000-02-Tarrow-x-read.esc.txt");
    EXPECT_EQ(names[3], "20300101-000000-01-Tarrow-x-read.esc.txt");
    EXPECT_EQ(history.List().back().sequence, 0);
}

// A name swapped for a FIFO: opened without waiting for a writer, and refused.
TEST_F(History, AFifoInPlaceOfASnapshotIsRefusedWithoutWaiting) {
    ASSERT_EQ(history.Keep(SnapshotReason::Read, sim::DefaultParamBlock(sim::Series::Tarrow)), "");
    std::string fifo = history.LastKept();
    fifo.replace(fifo.find("-s000001-"), 9, "-s000002-");
    if (!test::MakeFifo(fifo)) {
        GTEST_SKIP() << "this system has no FIFOs";
    }
    std::string error;
    EXPECT_FALSE(ReadSnapshot(fifo, error));
    EXPECT_EQ(error, "not a snapshot file");
    EXPECT_EQ(history.List().size(), 1u);
    // Being the newest of this ESC by name, it is what a new block is compared
    // with: it does not hang the keeping either.
    EXPECT_EQ(history.Keep(SnapshotReason::Read, sim::DefaultParamBlock(sim::Series::Tarrow)), "");
    EXPECT_EQ(history.List().front().sequence, 3);
}

TEST_F(History, AFailedWriteIsReportedAndUnknownBlocksAreNotKept) {
    WriteBytes(dir.File("file"), "in the way");
    EscHistory blocked(dir.File("file") + "/esc-history", clock);
    const std::string error =
        blocked.Keep(SnapshotReason::Read, sim::DefaultParamBlock(sim::Series::Tarrow));
    EXPECT_NE(error.find("Can't keep a snapshot of the ESC settings in"), std::string::npos)
        << error;
    EscHistory nowhere("", clock);
    EXPECT_NE(nowhere.Keep(SnapshotReason::Read, sim::DefaultParamBlock(sim::Series::Tarrow)), "");
    EXPECT_EQ(history.Keep(SnapshotReason::Read, Bytes(kParamBlockSize, 0)), "");
    EXPECT_TRUE(history.List().empty());
}

TEST(EscHistoryFolder, IsEscHistoryInTheDataFolder) {
    EXPECT_EQ(HistoryFolderIn(UserFolders{"/c", "/x/data/Tavix"}),
              JoinPath("/x/data/Tavix", "esc-history"));
    EXPECT_EQ(HistoryFolderIn(UserFolders{}), "");
}

// The page on every path: read, before and after a write, restore.
class PageHistory : public ::testing::Test {
protected:
    PageHistory() { esc.session.SetHistory(&history); }
    std::vector<std::string> Reasons() const {
        std::vector<std::string> reasons;
        for (const EscSnapshot& s : history.List()) {
            reasons.push_back(s.reason);
        }
        return reasons;
    }
    EscSession esc{sim::Series::Ostrin};
    TempDir dir;
    FixedClock clock;
    EscHistory history{dir.File("h"), clock};
};

TEST_F(PageHistory, ReadWriteAndRestoreEachLeaveASnapshot) {
    esc.ShowAndRead();
    EXPECT_EQ(Reasons(), std::vector<std::string>{"read"});
    esc.session.Select(0, 2);
    esc.Update();
    // The block before the write equals the read one and is not kept twice.
    EXPECT_EQ(Reasons(), (std::vector<std::string>{"after-write", "read"}));
    EXPECT_EQ(history.List().front().block, esc.device->ParamBlock());

    RestoreSnapshot(esc.session, history.List().back().block);
    esc.time.Advance(400);
    EXPECT_EQ(esc.prompt.Last(), kMsgEscUpdateComplete);
    EXPECT_EQ(Reasons(), (std::vector<std::string>{"restore", "after-write", "read"}));
    EXPECT_FALSE(esc.session.UnsentChanges());
}

// What the ESC holds now, and a snapshot that differs from it in every kind
// of byte a restore carries: a list, a value no list has, the temperature
// offset, the calibration, and a byte kept as read.
TEST_F(PageHistory, RestorePutsBackEveryCarriedByteExactlyAndSaysWhatItChanges) {
    using Patch = std::vector<std::pair<std::size_t, std::uint8_t>>;  // offset, byte
    struct Case {
        sim::Series series;
        Patch now;
        Patch snapshot;
        std::vector<std::string> changes;
    };
    const Case cases[] = {
        // Drag Brake 40% -> 10%, Start Mode 9 (no entry), temperature offset
        // 0 -> 7, the calibration 2000/3000/4000 -> 2000/3001/4100.
        {sim::Series::Ostrin,
         {{10, 7},
          {7, 1},
          {15, 0},
          {128, 0xD0},
          {129, 0x07},
          {130, 0xB8},
          {131, 0x0B},
          {132, 0xA0},
          {133, 0x0F}},
         {{10, 2}, {7, 9}, {15, 7}, {130, 0xB9}, {132, 0x04}, {133, 0x10}},
         {"Start Mode: Standard -> unknown value 9", "Drag Brake: 40% -> 10%",
          "Forward Throttle Range: 500 uS -> 549 uS", "Temperature Offset: 0 -> 7"}},
        // The forward end moves by half a microsecond: no range shows it.
        {sim::Series::Ostrin,
         {{128, 0xD0}, {129, 0x07}, {130, 0xB8}, {131, 0x0B}, {132, 0xA0}, {133, 0x0F}},
         {{132, 0xA1}},
         {"Offset 132 (throttle calibration): 160 -> 161"}},
        {sim::Series::Velmor,
         {{3, 0}, {10, 0}},
         {{3, 2}, {10, 0x33}},
         {"Brake  Types: No Brake -> Hard Brake", "Offset 10 (kept as read): 0 -> 51"}},
    };
    for (const Case& c : cases) {
        EscSession page{c.series};
        Bytes now = page.device->ParamBlock();
        for (const auto& [offset, byte] : c.now) {
            now[offset] = byte;
        }
        now[200] = 0x42;  // a byte no write carries
        page.device->SetParamBlock(now);
        page.ShowAndRead();
        Bytes snapshot = now;
        for (const auto& [offset, byte] : c.snapshot) {
            snapshot[offset] = byte;
        }
        std::string refusal;
        std::vector<std::string> changes;
        for (const MessageParts& line : RestoreChanges(page.session, snapshot, refusal)) {
            changes.push_back(line.Text());
        }
        EXPECT_EQ(changes, c.changes);
        EXPECT_EQ(refusal, "");

        // No writes nothing; Yes writes the snapshot byte for byte.
        page.prompt.answers = {false};
        RestoreSnapshot(page.session, snapshot);
        EXPECT_EQ(page.device->RequestCount(kCmdWriteBlock), 0);
        ASSERT_EQ(page.prompt.shown.back().text, kMsgEscConfirmRestore);
        EXPECT_EQ(page.prompt.shown.back().detail.find(c.changes.front()), 0u);
        RestoreSnapshot(page.session, snapshot);
        page.time.Advance(400);
        EXPECT_EQ(page.prompt.Last(), kMsgEscUpdateComplete);
        EXPECT_EQ(page.device->ParamBlock(), RestoreBlock(page.Table(), snapshot));
        for (std::size_t offset : CarriedOffsets(page.Table())) {
            EXPECT_EQ(page.device->ParamBlock()[offset], snapshot[offset]) << offset;
        }
        EXPECT_EQ(page.device->ParamBlock()[0], kBlockFlag);
        EXPECT_EQ(page.device->ParamBlock()[200], 0);
        // Put back, nothing is left to change, and nothing is written again.
        EXPECT_TRUE(RestoreChanges(page.session, snapshot, refusal).empty());
        RestoreSnapshot(page.session, snapshot);
        EXPECT_EQ(page.prompt.Last(), kMsgEscNothingToRestore);
        EXPECT_EQ(page.device->RequestCount(kCmdWriteBlock), 1);
    }
}

TEST_F(PageHistory, RestoreIsRefusedUnreadOrForAnotherSeriesOrVersion) {
    std::string refusal;
    esc.session.SetVisible(true);
    RestoreSnapshot(esc.session, esc.device->ParamBlock());
    EXPECT_EQ(esc.prompt.Last(), kMsgEscRestoreUnread);
    esc.ShowAndRead();
    EXPECT_TRUE(
        RestoreChanges(esc.session, sim::DefaultParamBlock(sim::Series::Velmor), refusal).empty());
    EXPECT_NE(refusal.find("Velmor series, but this ESC is of the Ostrin"), std::string::npos);
    Bytes otherVersion = esc.device->ParamBlock();
    otherVersion[kBlockVersionOffset + 15] = '9';
    otherVersion[1] = 0;
    RestoreSnapshot(esc.session, otherVersion);
    EXPECT_NE(esc.prompt.Last().find("The snapshot was taken of firmware"), std::string::npos);
    EXPECT_EQ(esc.device->RequestCount(kCmdWriteBlock), 0);
}

TEST_F(PageHistory, AWriteThatDidNotTakeNamesTheParameters) {
    esc.ShowAndRead();
    esc.device->MutableFaults().keepParamBlock = true;
    const int lvc = FindList(esc.Table(), "Low Voltage Cutoff");
    esc.session.Select(static_cast<std::size_t>(lvc), 0);
    esc.session.SetTemperatureOffset("9");
    esc.Update();
    EXPECT_EQ(esc.prompt.Last(),
              FormatText(kMsgEscNotTaken, "Low Voltage Cutoff, Temperature Offset"));
    EXPECT_EQ(esc.session.NotTakenOffsets().size(), 2u);
    // The page shows what the ESC holds.
    EXPECT_EQ(esc.State().selection[static_cast<std::size_t>(lvc)], 6);
}

TEST_F(PageHistory, AFailedSnapshotWriteIsShown) {
    WriteBytes(dir.File("file"), "in the way");
    EscHistory blocked(dir.File("file") + "/h", clock);
    esc.session.SetHistory(&blocked);
    esc.ShowAndRead();
    EXPECT_NE(esc.prompt.Last().find("Can't keep a snapshot"), std::string::npos);
}

}  // namespace
}  // namespace tavix::test
