#include "esc/EscPageState.h"

namespace tavix {

void ShowValues(EscParamState& state, const EscBlockValues& values) {
    for (std::size_t g = 0; g < kEscVersionGroups; ++g) {
        state.version[g] = values.version.substr(g * kEscVersionGroupSize, kEscVersionGroupSize);
    }
    state.selection = values.selection;
    state.texts = values.texts;
}

EscBlockValues ValuesOf(const EscParamState& state, const ThrottleCalibration& calibration) {
    EscBlockValues values;
    for (const std::string& group : state.version) {
        values.version += group;
    }
    values.selection = state.selection;
    values.texts = state.texts;
    values.calibration = calibration;
    return values;
}

}  // namespace tavix
