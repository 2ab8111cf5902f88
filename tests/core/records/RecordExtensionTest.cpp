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

// A section as a newer build would write it.
std::string Section(std::string_view tag, const std::string& payload) {
    std::string section(tag);
    for (int i = 0; i < 4; ++i) {
        section.push_back(static_cast<char>(payload.size() >> (8 * i)));
    }
    section += payload;
    const std::uint32_t crc = Crc32(section);
    for (int i = 0; i < 4; ++i) {
        section.push_back(static_cast<char>(crc >> (8 * i)));
    }
    return section;
}

TEST(RecordExtension, AnUploadedFlightKeepsItsNumberAndUploadTimeBesideItsBlock) {
    auto record = test::MakeRecord(5, 100);
    const std::string old = EncodeRecordFile(*record);
    record->escBlock = Block();
    record->flightNumber = 3;
    record->uploadTime = 0x123456789;  // past 2^32 seconds: all eight bytes count
    const std::string now = EncodeRecordFile(*record);
    ASSERT_EQ(now.substr(0, old.size()), old);  // readers that skip sections see the old file
    EXPECT_NE(
        now.find(Section(kUploadTag, std::string("\x89\x67\x45\x23\x01\0\0\0\x03\0\0\0", 12))),
        std::string::npos);

    auto read = std::make_unique<FlightRecord>();
    read->flightNumber = 9;
    read->uploadTime = 9;
    ASSERT_TRUE(DecodeRecordFile(now, *read, "t.dat").ok);
    EXPECT_EQ(read->flightNumber, 3);
    EXPECT_EQ(read->uploadTime, 0x123456789);
    EXPECT_EQ(read->escBlock, Block());
    EXPECT_TRUE(read->otherSections.empty());
    EXPECT_EQ(EncodeRecordFile(*read), now);
    // A file without the section says "unknown", not what was there before.
    ASSERT_TRUE(DecodeRecordFile(old, *read, "t.dat").ok);
    EXPECT_EQ(read->flightNumber, 0);
    EXPECT_EQ(read->uploadTime, 0);
}

TEST(RecordExtension, SectionsOfANewerBuildAreKeptByteForByte) {
    auto record = test::MakeRecord(3, 40);
    record->escBlock = Block();
    const std::string gps = Section("GPSt", std::string(3000, '\x17'));
    const std::string tune = Section("TUNE", "");
    const std::string bytes = EncodeRecordFile(*record) + gps + tune;
    for (bool withBlock : {true, false}) {
        const std::string file = withBlock ? bytes
                                           : EncodeRecordFile(*test::MakeRecord(3, 40)) +
                                                 std::string(kExtensionMagic) + gps + tune;
        auto read = std::make_unique<FlightRecord>();
        const RecordReadResult result = DecodeRecordFile(file, *read, "t.dat");
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.trailingBytes, 0u);
        EXPECT_EQ(read->otherSections, (std::vector<std::string>{gps, tune}));
        EXPECT_EQ(read->extensionDamage, "");
        EXPECT_EQ(EncodeRecordFile(*read), file);
    }
}

TEST(RecordExtension, ADamagedOrCutExtensionIsNamedAndTheRecordStillLoads) {
    auto record = test::MakeRecord(3, 40);
    record->escBlock = Block();
    const std::string now = EncodeRecordFile(*record) + Section("GPSt", "abc");
    const std::size_t flipAt = now.size() - 100;  // inside the block
    std::string damaged = now;
    damaged[flipAt] = static_cast<char>(damaged[flipAt] ^ 1);
    const std::string secondDamaged = now.substr(0, now.size() - 1) + "X";
    struct Case {
        std::string bytes;
        const char* damage;
        bool block;
    };
    const Case cases[] = {
        {damaged, "section 1 (ESCB) fails its checksum", false},
        {now.substr(0, now.size() - 3), "section 2 (GPSt) is cut short", true},
        {now.substr(0, now.size() - 10), "section 2 (GPSt) is cut short", true},
        {secondDamaged, "section 2 (GPSt) fails its checksum", true},
        {now.substr(0, now.size() - 15) + std::string("\x1b[2J", 4),
         "section 2 (??2J) is cut short", true},
    };
    for (const Case& c : cases) {
        auto read = std::make_unique<FlightRecord>();
        const RecordReadResult result = DecodeRecordFile(c.bytes, *read, "t.dat");
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(read->extensionDamage, c.damage);
        EXPECT_EQ(read->escBlock.empty(), !c.block) << c.damage;
        EXPECT_TRUE(read->otherSections.empty());
        EXPECT_GT(result.trailingBytes, 0u);
    }
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);  // the CRC-32 every tool computes
}

}  // namespace
}  // namespace tavix
