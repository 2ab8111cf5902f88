#pragma once
// What an ESC parameter page shows, as plain data: the state the session
// keeps, the parameter files print and the history restores onto.

#include <array>
#include <string>
#include <vector>

#include "esc/EscParamBlock.h"
#include "esc/EscSeries.h"

namespace tavix {

enum class EscPhase { Fresh, Reading, NotLinked, Linked, Writing, WriteFailed };

// What the page shows.
struct EscParamState {
    EscPhase phase = EscPhase::Fresh;
    bool resetFlag = true;  // the line's: the next show clears the page and reads again
    // The four groups of the firmware version, 4 bytes each as the ESC sent
    // them (an edit box shows a group up to a zero byte); empty before a read.
    std::array<std::string, kEscVersionGroups> version;
    std::vector<int> selection;  // per list of the table: entry index, -1 none
    std::array<std::string, kEscFieldCount> texts;
    int progress = 0;        // 0-100
    bool connected = false;  // status icon
    bool updateEnabled = false;
    bool connectEnabled = false;  // the port opened on the last show

    const std::string& Text(EscField field) const { return texts[static_cast<std::size_t>(field)]; }
};

// The page showing `values` as read.
void ShowValues(EscParamState& state, const EscBlockValues& values);
// The values the page would write (version, lists, fields; `calibration` as read).
EscBlockValues ValuesOf(const EscParamState& state, const ThrottleCalibration& calibration);

}  // namespace tavix
