// A record in words: the note as lines, its other control characters escaped.
#include "records/RecordSummary.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

TEST(RecordSummary, TheNotesLineBreaksStartIndentedLinesOtherControlsStayEscaped) {
    const struct {
        const char* note;
        const char* shown;
    } cases[] = {
        {"calm", "Note:           calm\n"},
        {"Pack: A\nwindy", "Note:           Pack: A\n                windy\n"},
        {"Pack: A\r\n\r\ngusts\x1B[2J\n\n",
         "Note:           Pack: A\n\n                gusts\\x1B[2J\n"},
        {"bell\x07\rback", "Note:           bell\\x07\\x0Dback\n"},
    };
    const FlightRecord record;
    const ConversionResult conversion;
    for (const auto& c : cases) {
        RecordForm form;
        form.note = c.note;
        const std::string text = RecordSummaryText({record, form, conversion, "", std::nullopt});
        EXPECT_NE(text.find(c.shown), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace tavix
