#pragma once
// Name lines at the top of a record's note: "Pack: NAME" names the battery
// pack a flight was flown on, "Model: NAME" the model (its motor and
// propeller). The note's leading lines that start with one of these prefixes
// are name lines, in any order; the first line that is none ends them, and
// the rest of the note is the pilot's own.

#include <string>

namespace tavix {

inline constexpr const char* kPackPrefix = "Pack:";
inline constexpr const char* kModelPrefix = "Model:";

// The name after `prefix` on the note's leading name lines, blanks around it
// removed; empty when no such line names anything.
std::string NoteLineValue(const std::string& note, const char* prefix);
// The note with a name line "PREFIX NAME": such a line already there is
// replaced, otherwise the line goes after the note's other name lines (on top
// of a note without any). An empty (or blank) `name` leaves the note untouched.
std::string WithNoteLine(const std::string& note, const char* prefix, const std::string& name);

}  // namespace tavix
