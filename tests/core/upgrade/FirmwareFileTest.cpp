#include "upgrade/FirmwareFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "fakes/FirmwareFixture.h"
#include "fakes/SystemFiles.h"
#include "fakes/TempDir.h"

namespace tavix {
namespace {

using test::FirmwareText;
using test::HexText;

constexpr const char* kVersion = "1234567890ABCDEF";

TEST(FirmwareFile, WorkedExampleIsValid) {
    const FirmwareFile file = ParseFirmware("0102:4:1234567890ABCDEF:63497:");
    ASSERT_TRUE(file.valid);
    EXPECT_EQ(file.crc, 0xF809);
    EXPECT_EQ(file.ImageSize(), 2u);
    EXPECT_EQ(file.ImageBytes(0, 512), (Bytes{0x01, 0x02}));
    EXPECT_EQ(SplitVersion(*file.version), (VersionGroups{"1234", "5678", "90AB", "CDEF"}));
    EXPECT_EQ(FirmwareText("0102", kVersion), file.content);
}

struct FileCase {
    const char* name;
    std::string text;
    bool valid;
    FirmwareFault fault;
    std::size_t imageSize;  // of a valid file
    Bytes firstBytes;       // its first image bytes
};

class FirmwareFileCases : public ::testing::TestWithParam<FileCase> {};

TEST_P(FirmwareFileCases, ValidityAndImage) {
    const FileCase& c = GetParam();
    const FirmwareFile file = ParseFirmware(c.text);
    EXPECT_EQ(file.valid, c.valid);
    EXPECT_EQ(file.fault, c.fault);
    if (c.valid) {
        EXPECT_EQ(file.ImageSize(), c.imageSize);
        EXPECT_EQ(file.ImageBytes(0, c.firstBytes.size()), c.firstBytes);
    }
}

std::string WithoutFourthColon(std::string text) {
    text.pop_back();
    return text;
}

std::string WrongCrc() {
    std::string text = FirmwareText("0102", kVersion);
    // Same check field with the version changed by one character.
    text[10] = 'X';
    return text;
}

// A file with the length field as given and the check field matching the text.
std::string WithLengthField(const std::string& hex, const std::string& length) {
    const std::string text = hex + ":" + length + ":" + kVersion;
    const std::uint16_t crc =
        Crc16(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    return text + ":" + std::to_string(crc) + ":";
}

std::string Huge(std::size_t bytes) {
    return FirmwareText(std::string(bytes * 2, 'A'), kVersion);
}

const FileCase kCases[] = {
    {"NoColon", "0102", false, FirmwareFault::NoColon, 0, {}},
    {"EmptyFile", "", false, FirmwareFault::NoColon, 0, {}},
    {"LengthOffByOne", WithLengthField("0102", "5"), false, FirmwareFault::LengthMismatch, 0, {}},
    {"LengthReadAsAtoiDoes",
     WithLengthField("0102", " +4x"),
     true,
     FirmwareFault::None,
     2,
     {0x01, 0x02}},
    {"LengthOfEightCharacters",
     WithLengthField("0102", "00000004"),
     true,
     FirmwareFault::None,
     2,
     {0x01, 0x02}},
    {"LengthNinthCharacterNotRead",
     WithLengthField("0102", "000000004"),
     false,
     FirmwareFault::LengthMismatch,
     0,
     {}},
    {"NoThirdColon", "0102:4:1234567890ABCDEF", false, FirmwareFault::NoVersionEnd, 0, {}},
    {"WrongCrc", WrongCrc(), false, FirmwareFault::CheckFailed, 0, {}},
    {"NoFourthColon",
     WithoutFourthColon(FirmwareText("0102", kVersion)),
     false,
     FirmwareFault::CheckFailed,
     0,
     {}},
    {"TrailingText",
     FirmwareText("0102", kVersion, "anything: at all\r\n"),
     true,
     FirmwareFault::None,
     2,
     {0x01, 0x02}},
    {"NonHexDigitsAreZero",
     FirmwareText("G1x2zz0f", kVersion),
     true,
     FirmwareFault::None,
     4,
     {0x01, 0x02, 0x00, 0x0F}},
    {"LowerCaseHex", FirmwareText("abCD", kVersion), true, FirmwareFault::None, 2, {0xAB, 0xCD}},
    {"OddCountDropsLastDigit",
     FirmwareText("01023", kVersion),
     true,
     FirmwareFault::None,
     2,
     {0x01, 0x02}},
    // Nothing to flash: refused, also when one odd digit is all there is.
    {"EmptyImage", FirmwareText("", kVersion), false, FirmwareFault::EmptyImage, 0, {}},
    {"OneDigitImage", FirmwareText("7", kVersion), false, FirmwareFault::EmptyImage, 0, {}},
    // Refused before anything is sent: the version write at the end needs 16.
    {"ShortVersionRefused", FirmwareText("0102", "1.2"), false, FirmwareFault::BadVersion, 0, {}},
    {"LargestImage", Huge(kMaxFirmwareImage), true, FirmwareFault::None, kMaxFirmwareImage, {0xAA}},
    {"TooLarge", Huge(kMaxFirmwareImage + 1), false, FirmwareFault::TooLarge, 0, {}},
};

INSTANTIATE_TEST_SUITE_P(All, FirmwareFileCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FirmwareFile, CheckFieldIsTriedAtEveryColonAndGrows) {
    std::string base = "0102:4:" + std::string(kVersion);
    const std::uint16_t crc =
        Crc16(reinterpret_cast<const std::uint8_t*>(base.data()), base.size());
    const std::string digits = std::to_string(crc);
    // The digits split by a colon: "63" fails at the first colon, then the
    // characters after it are added, and "63497" matches at the second.
    const std::string split = base + ":" + digits.substr(0, 2) + ":" + digits.substr(2) + ":";
    EXPECT_TRUE(ParseFirmware(split).valid);
    // A wrong value first, then the right one: the wrong digits stay in front.
    EXPECT_FALSE(ParseFirmware(base + ":1:" + digits + ":").valid);
    // Blanks in front and text behind the number: atoi reads the number.
    EXPECT_TRUE(ParseFirmware(base + ":  " + digits + "abc:").valid);
    // More than 20 characters before the colon: the walk ends unevaluated.
    EXPECT_FALSE(ParseFirmware(base + ":" + std::string(20, ' ') + digits + ":").valid);
}

TEST(FirmwareFile, VersionGroupsOfShortLongAndZeroTexts) {
    EXPECT_EQ(SplitVersion("1234567"), (VersionGroups{"1234", "567", "", ""}));
    EXPECT_EQ(SplitVersion("1234567890ABCDEFXYZ"), (VersionGroups{"1234", "5678", "90AB", "CDEF"}));
    EXPECT_EQ(JoinVersion(SplitVersion(std::string("12\0"
                                                   "4567890ABCDEF",
                                                   16)))
                  .size(),
              14u);
}

TEST(FirmwareFile, AtoiSemantics) {
    EXPECT_EQ(AtoiValue(" \t-12x"), -12);
    EXPECT_EQ(AtoiValue("+7"), 7);
    EXPECT_EQ(AtoiValue("abc"), 0);
    EXPECT_EQ(AtoiValue(""), 0);
    // Beyond the range of long: clamped, then cut to int as atoi does.
    EXPECT_EQ(AtoiValue("99999999999999999999"), -1);
    EXPECT_EQ(AtoiValue("4294967297"), 1);
}

TEST(FirmwareFile, BlocksOfTheImage) {
    for (const auto& [size, blocks] :
         {std::pair<std::size_t, std::size_t>{0, 0}, {1, 1}, {512, 1}, {513, 2}, {65536, 128}}) {
        const FirmwareFile file = ParseFirmware(FirmwareText(HexText(Bytes(size, 0x5A)), kVersion));
        EXPECT_EQ(file.BlockCount(), blocks) << size;
        EXPECT_EQ(file.ImageBytes(512, 512).size(),
                  size > 512 ? std::min<std::size_t>(512, size - 512) : 0u);
    }
}

TEST(FirmwareFile, ReadWholeFileKeepsEveryByte) {
    test::TempDir dir;
    const std::string path = dir.File("fw.Dlc");
    const std::string content("01\0\r\n02\xFF", 8);
    std::ofstream(path, std::ios::binary) << content;
    EXPECT_EQ(ReadWholeFile(path), content);
    EXPECT_FALSE(ReadWholeFile(dir.File("missing.Dlc")).has_value());
    EXPECT_FALSE(ReadWholeFile(dir.Path().string()).has_value());  // a directory
    EXPECT_FALSE(ReadWholeFile(path, content.size() - 1).has_value());
    // A FIFO is refused at once instead of waiting for a writer.
    if (test::MakeFifo(dir.File("fifo.Dlc"))) {
        EXPECT_FALSE(ReadWholeFile(dir.File("fifo.Dlc")).has_value());
    }
}

}  // namespace
}  // namespace tavix
