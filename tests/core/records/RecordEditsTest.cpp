#include "records/RecordEdits.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavix {
namespace {

TEST(RecordEdits, OnlyAnEditedNoteOfAnOpenRecordCountsAsChanged) {
    RecordEdits edits;
    EXPECT_FALSE(edits.NoteEdited("for the next upload"));  // no record open
    EXPECT_FALSE(edits.Changed());
    edits.Loaded("calm");
    EXPECT_TRUE(edits.NoteEdited("calm, 20 C"));
    EXPECT_TRUE(edits.Changed());
    EXPECT_TRUE(edits.NoteEdited("calm"));  // typed back to what is saved
    EXPECT_FALSE(edits.Changed());
    edits.NoteEdited("gusty");
    edits.Loaded("gusty");  // saved
    EXPECT_FALSE(edits.Changed());
    edits.NoteEdited("x");
    edits.Closed();
    EXPECT_FALSE(edits.Changed());
}

TEST(RecordEdits, LeavingAChangedRecordAsksSaveDiscardOrCancel) {
    struct Case {
        SaveAnswer answer;
        bool saveWorks;
        bool leaves;
        int saves;
        bool changedAfter;
    };
    const Case cases[] = {
        {SaveAnswer::Save, true, true, 1, false},
        {SaveAnswer::Save, false, false, 1, true},  // the save failed: stay with the edit
        {SaveAnswer::Discard, true, true, 0, false},
        {SaveAnswer::Cancel, true, false, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        RecordEdits edits;
        edits.Loaded("old");
        edits.NoteEdited("new");
        std::vector<std::string> asked;
        int saves = 0;
        const bool leaves = edits.MayLeave(
            "2014-3-7_1.dat",
            [&](const std::string& text) {
                asked.push_back(text);
                return c.answer;
            },
            [&] {
                ++saves;
                if (c.saveWorks) {
                    edits.Loaded("new");
                }
                return c.saveWorks;
            });
        EXPECT_EQ(leaves, c.leaves);
        EXPECT_EQ(saves, c.saves);
        EXPECT_EQ(edits.Changed(), c.changedAfter);
        EXPECT_EQ(asked, std::vector<std::string>{
                             "The note of 2014-3-7_1.dat was changed.\nDo you want to save the "
                             "changes?"});
    }

    // Nothing changed: no question at all.
    RecordEdits unchanged;
    unchanged.Loaded("same");
    unchanged.NoteEdited("same");
    int questions = 0;
    EXPECT_TRUE(unchanged.MayLeave(
        "a.dat",
        [&](const std::string&) {
            ++questions;
            return SaveAnswer::Cancel;
        },
        nullptr));
    EXPECT_EQ(questions, 0);
}

TEST(GearHint, SaysTheBoxesApplyToTheNextUploadOnlyWhenTheyDifferFromTheRecord) {
    EXPECT_EQ(GearHint(false, 1.0f, 14, 3.5f, 12), "");
    EXPECT_EQ(GearHint(true, 3.5f, 14, 3.5f, 14), "");
    EXPECT_EQ(GearHint(true, 3.5f, 14, 3.501f, 14), "");  // the same to two decimals
    EXPECT_EQ(GearHint(true, 3.5f, 14, 1.0f, 14),
              "For the next upload: this record keeps 3.50 and 14.");
    EXPECT_NE(GearHint(true, 3.5f, 14, 3.5f, 12), "");
}

}  // namespace
}  // namespace tavix
