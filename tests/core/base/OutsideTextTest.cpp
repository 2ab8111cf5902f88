#include "base/OutsideText.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

TEST(OutsideText, ControlsAreEscapedAndTextPasses) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"plain note", "plain note"},
        {"\x1b[2Jcleared", "\\x1B[2Jcleared"},
        {"two\nlines\r", "two\\x0Alines\\x0D"},
        {std::string("nul\0x", 5), "nul\\x00x"},
        {"del\x7f", "del\\x7F"},
        {"back\\slash", "back\\\\slash"},
        {"\xA1\xE6 GBK", "\xA1\xE6 GBK"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeControls(c.in), c.out) << c.in;
    }
}

TEST(OutsideText, CsvCellsNeverRunAsFormulas) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"Pack: A", "Pack: A"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"=1+1", "\"'=1+1\""},
        {"+cmd", "\"'+cmd\""},
        {"-x", "\"'-x\""},
        {"@SUM(A1)", "\"'@SUM(A1)\""},
        {"=a,\"b\"", "\"'=a,\"\"b\"\"\""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CsvTextCell(c.in), c.out) << c.in;
    }
}

}  // namespace
}  // namespace tavix
