// The settings a flight was flown with travel in a tagged, checksummed
// extension after the last channel: files written the old way and the new
// way both load, and a reader that knows nothing of the extension (every
// earlier build reads only what the header announces) sees the same record.
#include <gtest/gtest.h>

#include <memory>

#include "core/records/RecordTestData.h"
#include "records/CTavixDoc.h"
#include "records/RecordCodec.h"

namespace tavix {
namespace {

std::string Block() {
    std::string block(512, '\0');
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<char>(i * 7);
    }
    return block;
}

TEST(RecordExtension, NewFilesCarryTheBlockAndOldReadersSeeTheSameRecord) {
    auto record = test::MakeRecord(5, 100);
    const std::string old = EncodeRecordFile(*record);
    record->escBlock = Block();
    const std::string now = EncodeRecordFile(*record);

    // The old bytes first, unchanged; the extension after them.
    ASSERT_EQ(now.substr(0, old.size()), old);
    EXPECT_EQ(now.substr(old.size(), kExtensionMagic.size()), kExtensionMagic);

    for (const auto& [bytes, block] : {std::pair{old, std::string()}, std::pair{now, Block()}}) {
        auto read = std::make_unique<FlightRecord>();
        read->escBlock = "left from before";
        const RecordReadResult result = DecodeRecordFile(bytes, *read, "t.dat");
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(result.trailingBytes, 0u);
        EXPECT_EQ(read->escBlock, block);
        EXPECT_EQ(read->raw[4][99], record->raw[4][99]);
        EXPECT_EQ(EncodeRecordFile(*read), bytes);  // saved again: the same file
    }
}

TEST(RecordExtension, ADamagedOrCutExtensionIsIgnoredAndTheRecordStillLoads) {
    auto record = test::MakeRecord(3, 40);
    record->escBlock = Block();
    const std::string now = EncodeRecordFile(*record);
    const std::size_t flipAt = now.size() - 100;  // inside the block
    std::string damaged = now;
    damaged[flipAt] = static_cast<char>(damaged[flipAt] ^ 1);
    for (const std::string& bytes : {damaged, now.substr(0, now.size() - 3)}) {
        auto read = std::make_unique<FlightRecord>();
        const RecordReadResult result = DecodeRecordFile(bytes, *read, "t.dat");
        ASSERT_TRUE(result.ok);
        EXPECT_TRUE(read->escBlock.empty());
        EXPECT_GT(result.trailingBytes, 0u);
    }
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);  // the CRC-32 every tool computes
}

}  // namespace
}  // namespace tavix
