#include "records/RecordEdits.h"

#include <cmath>

#include "base/FormatText.h"
#include "base/Translate.h"

namespace tavix {

void RecordEdits::Loaded(const std::string& note) {
    open_ = true;
    saved_ = note;
    note_ = note;
}

void RecordEdits::Closed() {
    open_ = false;
    saved_.clear();
    note_.clear();
}

bool RecordEdits::NoteEdited(const std::string& note) {
    const bool before = Changed();
    note_ = note;
    return Changed() != before;
}

bool RecordEdits::MayLeave(const std::string& name,
                           const std::function<SaveAnswer(const std::string&)>& ask,
                           const std::function<bool()>& save) {
    if (!Changed()) {
        return true;
    }
    switch (ask(FormatShown(kMsgSaveNoteChanges, name.c_str()))) {
        case SaveAnswer::Save:
            // A failed save has said why; the edit stays, and so does the record.
            return save && save();
        case SaveAnswer::Discard:
            note_ = saved_;
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

std::string GearHint(bool recordOpen, float recordGear, int recordPoles, float formGear,
                     int formPoles) {
    // The boxes keep two decimals, so does the comparison.
    const bool sameGear = std::lround(recordGear * 100.0f) == std::lround(formGear * 100.0f);
    if (!recordOpen || (sameGear && recordPoles == formPoles)) {
        return {};
    }
    return FormatShown(kMsgGearAppliesToUpload, static_cast<double>(recordGear), recordPoles);
}

}  // namespace tavix
