// The snapshot history: what is kept on every path of the parameter page, what
// is not kept twice, the bounded folder, a failed write reported, and a
// restore that puts back the kept bytes too.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/FormatText.h"
#include "core/esc/EscSessionFixture.h"
#include "esc/EscHistory.h"
#include "esc/EscMessages.h"
#include "esc/EscParamText.h"
#include "fakes/FixedClock.h"
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
    // Nor does a Velmor on another firmware: the rule is per series and version.
    Bytes otherFirmware = block;
    otherFirmware[kBlockVersionOffset + kBlockVersionSize - 1] = '9';
    EXPECT_EQ(history.Keep(SnapshotReason::Read, otherFirmware), "");
    EXPECT_EQ(history.Keep(SnapshotReason::Read, block), "");
    block[3] = 2;
    EXPECT_EQ(history.Keep(SnapshotReason::AfterWrite, block), "");
    EXPECT_EQ(Reasons(), (std::vector<std::string>{"after-write", "read", "read", "read"}));

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

TEST_F(History, AFailedWriteIsReportedAndUnknownBlocksAreNotKept) {
    WriteBytes(dir.File("file"), "in the way");
    EscHistory blocked(dir.File("file") + "/esc-history", clock);
    const std::string error =
        blocked.Keep(SnapshotReason::Read, sim::DefaultParamBlock(sim::Series::Tarrow));
    EXPECT_NE(error.find("Can't keep a snapshot of the ESC settings in"), std::string::npos)
        << error;
    EscHistory nowhere("", clock);
    EXPECT_EQ(nowhere.Keep(SnapshotReason::Read, sim::DefaultParamBlock(sim::Series::Tarrow)),
              FormatText(kMsgCantKeepSnapshot, "the user's data folder",
                         "neither XDG_DATA_HOME nor HOME is set"));
    EXPECT_EQ(history.Keep(SnapshotReason::Read, Bytes(kParamBlockSize, 0)), "");
    EXPECT_TRUE(history.List().empty());
}

TEST(EscHistoryFolder, FollowsXdgDataHomeElseHome) {
    EXPECT_EQ(DefaultHistoryFolder("/x/data", "/home/u"), "/x/data/Tavix/esc-history");
    EXPECT_EQ(DefaultHistoryFolder("", "/home/u"), "/home/u/.local/share/Tavix/esc-history");
    EXPECT_EQ(DefaultHistoryFolder(nullptr, "/home/u"), "/home/u/.local/share/Tavix/esc-history");
    EXPECT_EQ(DefaultHistoryFolder(nullptr, nullptr), "");
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
    Bytes factory = esc.device->ParamBlock();
    factory[200] = 0x42;  // a byte the page neither shows nor writes
    esc.device->SetParamBlock(factory);
    esc.ShowAndRead();
    EXPECT_EQ(Reasons(), std::vector<std::string>{"read"});

    esc.session.Select(0, 2);
    esc.Update();
    // The block before the write equals the read one and is not kept twice.
    EXPECT_EQ(Reasons(), (std::vector<std::string>{"after-write", "read"}));
    EXPECT_EQ(history.List().front().block, esc.device->ParamBlock());

    // Restore the first snapshot: its values come back on the page; Update
    // writes them and a snapshot of the restore is kept.
    const EscSnapshot first = history.List().back();
    EXPECT_EQ(esc.session.Restore(first.block), "");
    EXPECT_EQ(esc.State().selection[0], factory[1]);
    EXPECT_TRUE(esc.session.UnsentChanges());
    esc.Update();
    EXPECT_EQ(esc.prompt.Last(), kMsgEscUpdateComplete);
    EXPECT_EQ(Reasons(), (std::vector<std::string>{"restore", "after-write", "read"}));
    EXPECT_EQ(esc.device->ParamBlock()[1], factory[1]);
    EXPECT_FALSE(esc.session.UnsentChanges());
}

TEST_F(PageHistory, RestoreOfAnotherSeriesOrVersionIsRefused) {
    EXPECT_EQ(esc.session.Restore(esc.device->ParamBlock()), kMsgEscRestoreUnread);
    esc.ShowAndRead();
    EXPECT_EQ(esc.session.Restore(sim::DefaultParamBlock(sim::Series::Velmor)),
              FormatText(kMsgEscRestoreOtherSeries, "Velmor", "Ostrin"));
    Bytes otherVersion = esc.device->ParamBlock();
    otherVersion[kBlockVersionOffset + 15] = '9';
    otherVersion[1] = 0;
    EXPECT_EQ(esc.session.Restore(otherVersion).rfind("The snapshot was taken of firmware", 0), 0u);
    EXPECT_FALSE(esc.session.UnsentChanges());
}

TEST_F(PageHistory, RestorePutsBackTheKeptBytesOfTheSnapshot) {
    EscSession velmor{sim::Series::Velmor};
    velmor.session.SetHistory(&history);
    Bytes before = velmor.device->ParamBlock();
    velmor.ShowAndRead();
    Bytes changed = before;
    for (std::size_t offset : velmor.Table().keptOffsets) {
        changed[offset] = 0x99;
    }
    velmor.device->SetParamBlock(changed);  // e.g. an upgrade reset them
    velmor.session.OnReadFromEsc();         // nothing unsent: reads without asking
    velmor.time.Advance(200);
    ASSERT_EQ(velmor.session.LastRead(), changed);
    EXPECT_TRUE(velmor.prompt.shown.empty());
    ASSERT_EQ(velmor.session.Restore(before), "");
    velmor.Update();
    for (std::size_t offset : velmor.Table().keptOffsets) {
        EXPECT_EQ(velmor.device->ParamBlock()[offset], before[offset]) << offset;
    }
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
