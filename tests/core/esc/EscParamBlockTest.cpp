// The parameter block codec: what a block means to each series and what goes
// back into it, without a port or a page.
#include <gtest/gtest.h>

#include "device/DeviceVersion.h"
#include "esc/EscMessages.h"
#include "esc/EscParamBlock.h"
#include "sim/DeviceProfile.h"

namespace tavix {
namespace {

// A factory block with every byte the page neither shows nor writes set to
// noise, and the kept bytes distinct.
Bytes NoisyBlock(int series) {
    Bytes block = sim::DefaultParamBlock(static_cast<sim::Series>(series));
    for (std::size_t offset = 100; offset < 120; ++offset) {
        block[offset] = 0x77;
    }
    std::uint8_t k = 0x31;
    for (std::size_t offset : SeriesTable(series)->keptOffsets) {
        block[offset] = k++;
    }
    return block;
}

TEST(EscParamBlock, EncodingWhatWasDecodedCarriesEveryCarriedByteAndZerosTheRest) {
    for (int series = 0; series < 4; ++series) {
        const EscSeriesTable& table = *SeriesTable(series);
        const Bytes block = NoisyBlock(series);
        std::string refusal;
        const Bytes written =
            EncodeParamBlock(table, DecodeParamBlock(table, block), block, refusal);
        ASSERT_EQ(written.size(), kParamBlockSize) << table.name << refusal;
        const auto carried = CarriedOffsets(table);
        for (std::size_t offset = 1; offset < kParamBlockSize; ++offset) {
            const bool isCarried = std::binary_search(carried.begin(), carried.end(), offset);
            EXPECT_EQ(written[offset], isCarried ? block[offset] : 0)
                << table.name << " " << offset;
        }
        EXPECT_TRUE(NotTaken(table, block, written).empty());
    }
}

TEST(EscParamBlock, ValuesTheEscCannotHoldAreRefused) {
    const EscSeriesTable& table = OstrinTable();
    const Bytes block = NoisyBlock(kSeriesOstrin);
    struct Case {
        const char* offset;
        const char* refusal;  // empty: written
    };
    for (const Case& c :
         {Case{"255", ""}, Case{"0", ""}, Case{"", ""}, Case{"256", kMsgTemperatureOffsetRange},
          Case{"300", kMsgTemperatureOffsetRange}, Case{"-1", kMsgTemperatureOffsetRange}}) {
        EscBlockValues values = DecodeParamBlock(table, block);
        values.texts[static_cast<std::size_t>(EscField::TemperatureOffset)] = c.offset;
        std::string refusal;
        const Bytes written = EncodeParamBlock(table, values, block, refusal);
        EXPECT_EQ(refusal, c.refusal) << c.offset;
        EXPECT_EQ(written.empty(), *c.refusal != '\0') << c.offset;
    }
    EscBlockValues values = DecodeParamBlock(table, block);
    values.version.pop_back();
    std::string refusal;
    EXPECT_TRUE(EncodeParamBlock(table, values, block, refusal).empty());
    EXPECT_EQ(refusal, kMsgEscInvalidVersion);
}

TEST(EscParamBlock, BytesThatDidNotTakeAreNamedOnceEach) {
    const EscSeriesTable& table = OstrinTable();
    const Bytes written = NoisyBlock(kSeriesOstrin);
    Bytes holds = written;
    holds[1] ^= 1;    // Low Voltage Cutoff
    holds[15] ^= 1;   // Temperature Offset
    holds[128] ^= 1;  // calibration, two bytes
    holds[129] ^= 1;
    holds[kBlockVersionOffset + 3] ^= 1;
    holds[300] ^= 1;  // not carried: not checked
    const auto offsets = NotTaken(table, written, holds);
    EXPECT_EQ(offsets.size(), 5u);
    EXPECT_EQ(NamesOf(table, offsets),
              "Low Voltage Cutoff, Temperature Offset, throttle calibration, Firmware Version");
}

}  // namespace
}  // namespace tavix
