#include "analysis/NoteLines.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

TEST(NoteLines, NamesComeFromTheLeadingNameLinesOnly) {
    struct Case {
        const char* note;
        const char* pack;
        const char* model;
    };
    const Case cases[] = {
        {"Pack: Blue\nModel: Wing 2\nwindy", "Blue", "Wing 2"},
        {"Model:  Wing \r\nPack: Blue", "Blue", "Wing"},
        {"Model: Wing\nwindy\nPack: Blue", "", "Wing"},
        {"windy\nModel: Wing", "", ""},
        {"model: lower case is no name line", "", ""},
        {"Model:\nPack: Blue", "Blue", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NoteLineValue(c.note, kPackPrefix), c.pack) << c.note;
        EXPECT_EQ(NoteLineValue(c.note, kModelPrefix), c.model) << c.note;
    }
}

TEST(NoteLines, ModelLineReplacedOrAddedAfterTheOtherNameLines) {
    struct Case {
        const char* note;
        const char* model;
        const char* result;
    };
    const Case cases[] = {
        {"", "Wing", "Model: Wing"},
        {"windy", "Wing", "Model: Wing\nwindy"},
        {"Pack: Blue\nwindy", " Wing ", "Pack: Blue\nModel: Wing\nwindy"},
        {"Pack: Blue", "Wing", "Pack: Blue\nModel: Wing"},
        {"Model: Old\r\nPack: Blue\r\nwindy", "Wing", "Model: Wing\r\nPack: Blue\r\nwindy"},
        {"Pack: Blue\nwindy", "Wing\nsecond line", "Pack: Blue\nModel: Wing\nwindy"},
        {"Model: Old", "  ", "Model: Old"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithNoteLine(c.note, kModelPrefix, c.model), c.result) << c.note;
    }
}

}  // namespace
}  // namespace tavix
