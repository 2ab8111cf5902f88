#pragma once
// The program's pictures (icons, toolbar buttons) are compiled into the ui
// library; a static library's resources must be registered before first use.

namespace tavix {

// Registers the resources once; every window that shows one calls it.
void EnsureResources();

}  // namespace tavix
