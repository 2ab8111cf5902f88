#pragma once
// The user's ESC presets, in $XDG_DATA_HOME/Tavix/esc-presets
// (~/.local/share/Tavix/esc-presets when unset), their text kept as UTF-8.
// The window and tavix-cli share the folder.

#include "esc/EscPresetStore.h"

namespace tavix {

// A store on the folder the environment names now.
EscPresetStore UserEscPresets();

}  // namespace tavix
