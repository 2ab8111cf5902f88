#include "shell/UploadProgress.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

using Result = UploadProgress::Result;

TransferState Running(std::uint16_t start, std::uint16_t total) {
    TransferState s;
    s.running = true;
    s.start = start;
    s.current = start;
    s.total = total;
    return s;
}

TEST(UploadProgress, NoFlightEndsWithCancelAndClearsTheFlag) {
    TransferState s = Running(64, 0);
    UploadProgress progress(s);
    EXPECT_EQ(progress.OnTick(), Result::Running);
    s.noData = true;
    EXPECT_EQ(progress.OnTick(), Result::Cancel);
    EXPECT_FALSE(s.noData);
    // Finished: later polls change nothing.
    s.noData = true;
    EXPECT_EQ(progress.OnTick(), Result::Cancel);
    EXPECT_TRUE(s.noData);
}

TEST(UploadProgress, TimeOutClearingTheRunningFlagEndsWithOk) {
    TransferState s = Running(64, 4096);
    UploadProgress progress(s);
    s.current = 64 + 1024;
    EXPECT_EQ(progress.OnTick(), Result::Running);
    s.running = false;  // the data time-out has already told the user
    EXPECT_EQ(progress.OnTick(), Result::Ok);
    // The running flag is looked at before the no-data flag.
    TransferState t = Running(64, 0);
    t.running = false;
    t.noData = true;
    UploadProgress other(t);
    EXPECT_EQ(other.OnTick(), Result::Ok);
    EXPECT_TRUE(t.noData);
}

TEST(UploadProgress, ZeroTotalStaysOpenAtZero) {
    TransferState s = Running(0, 0);
    UploadProgress progress(s);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(progress.OnTick(), Result::Running);
    }
    EXPECT_EQ(progress.Position(), 0);
    EXPECT_EQ(progress.DetailText(), "Waiting for the logger ...");
}

TEST(UploadProgress, BarFollowsTheBytesBeforeTheCurrentBlock) {
    TransferState s = Running(64, 2000);
    UploadProgress progress(s);
    s.current = 64 + 512;  // 25.6 %: the bar steps to 24
    EXPECT_EQ(progress.OnTick(), Result::Running);
    EXPECT_EQ(progress.Position(), 24);
    s.current = 64 + 1024;  // 51 %
    progress.OnTick();
    EXPECT_EQ(progress.Position(), 50);
    s.current = 64 + 512;  // never backwards
    progress.OnTick();
    EXPECT_EQ(progress.Position(), 50);
    // Past the end counts as the end and closes the window.
    s.current = 64 + 2048;
    EXPECT_EQ(progress.OnTick(), Result::Ok);
    EXPECT_EQ(progress.Position(), 99);
}

TEST(UploadProgress, CompletionFlagEndsWithOkWhereverTheAddressIs) {
    TransferState s = Running(64, 8000);
    UploadProgress progress(s);
    s.current = 64 + 512;
    progress.OnTick();
    s.completion = true;
    EXPECT_EQ(progress.OnTick(), Result::Ok);
}

TEST(UploadProgress, AddressArithmeticWrapsAtSixteenBits) {
    // A read near the top of the address space: current - start wraps as u16.
    TransferState s = Running(0xFF00, 0x0400);
    UploadProgress progress(s);
    s.current = 0x0100;  // 0x200 bytes on, past the 16-bit wrap
    EXPECT_EQ(progress.OnTick(), Result::Running);
    EXPECT_EQ(progress.Position(), 49);
}

TEST(UploadProgress, EnterAndEscapeEndAtAnyTime) {
    TransferState s = Running(64, 4096);
    UploadProgress a(s);
    EXPECT_EQ(a.OnEscape(), Result::Cancel);
    EXPECT_EQ(a.OnTick(), Result::Cancel);
    UploadProgress b(s);
    EXPECT_EQ(b.OnEnter(), Result::Ok);
    EXPECT_EQ(b.OnEscape(), Result::Ok);  // the first ending stands
}

TEST(UploadProgress, DetailTextEstimatesTheTimeLeftFromThePollTime) {
    // 32704 bytes (31.9 KB), 12800 arrived after 5 s of block reading.
    TransferState s = Running(64, 32704);
    UploadProgress progress(s);
    progress.OnTick();  // the first poll that sees the length: the clock starts here
    EXPECT_EQ(progress.DetailText(), "0.0 of 31.9 KB");
    s.current = 64 + 12800;
    for (int i = 0; i < 100; ++i) {
        progress.OnTick();
    }
    // 19904 bytes left at 2560 bytes/s: 7.775 s, shown rounded up.
    EXPECT_EQ(progress.DetailText(), "12.5 of 31.9 KB, about 8 s left");
}

TEST(UploadProgress, FormatTransferText) {
    EXPECT_EQ(FormatTransferText(0, 1024, 5000), "0.0 of 1.0 KB");   // nothing yet
    EXPECT_EQ(FormatTransferText(512, 1024, 500), "0.5 of 1.0 KB");  // too early
    EXPECT_EQ(FormatTransferText(512, 1024, 1000), "0.5 of 1.0 KB, about 1 s left");
    EXPECT_EQ(FormatTransferText(1024, 1024, 9000), "1.0 of 1.0 KB");  // done
    EXPECT_EQ(FormatTransferText(1000, 65000, 2000), "1.0 of 63.5 KB, about 2 min 8 s left");
}

}  // namespace
}  // namespace tavix
