#pragma once
// What the user typed into the open record and has not saved yet.
//
// The note box shows the open record's note; an edit there changes the record
// only when it is saved. Before the record is left (the window closes, another
// record is opened, an upload replaces it) an edited note is offered for
// saving: Save, Discard or Cancel, so that nothing typed goes away unasked.
//
// Gear rate and pole number are not part of this: a saved record keeps the
// ones it was recorded with (its RPM was computed with them); the form's boxes
// are what the next upload stores.

#include <functional>
#include <string>
#include "base/Translate.h"

namespace tavix {

inline constexpr const char* kTitleSaveChanges = TAVIX_TR("Save Changes");
inline constexpr const char* kMsgSaveNoteChanges =
    TAVIX_TR("The note of %s was changed.\nDo you want to save the changes?");
inline constexpr const char* kTipGearAppliesToUpload = TAVIX_TR(
    "Gear rate and pole number typed here go into the next upload's records. A record "
    "already made keeps the ones its RPM was computed with.");
inline constexpr const char* kMsgGearAppliesToUpload =
    TAVIX_TR("For the next upload: this record keeps %.2f and %d.");

enum class SaveAnswer { Save, Discard, Cancel };

class RecordEdits {
public:
    // A record was opened or saved with `note` (GBK): nothing is changed.
    void Loaded(const std::string& note);
    // No record is open: the note box belongs to the next upload alone.
    void Closed();
    // The note box now holds `note`. Returns whether Changed() changed.
    bool NoteEdited(const std::string& note);
    bool Changed() const { return open_ && note_ != saved_; }

    // Before the record is left: true when it may be. Unchanged, it may at
    // once. Changed, `ask` gets the question naming `name`: Save leaves only
    // when `save` succeeds (which calls Loaded), Discard leaves and forgets
    // the edit, Cancel stays.
    bool MayLeave(const std::string& name, const std::function<SaveAnswer(const std::string&)>& ask,
                  const std::function<bool()>& save);

private:
    bool open_ = false;
    std::string saved_;
    std::string note_;
};

// The hint for a gear rate or pole number typed while a record is open; empty
// when the boxes hold the record's own values or no record is open.
std::string GearHint(bool recordOpen, float recordGear, int recordPoles, float formGear,
                     int formPoles);

}  // namespace tavix
