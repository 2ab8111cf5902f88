#pragma once
// Every file the program writes (config.ini, record files, CSV, images) goes
// to a temporary file beside the target first and is renamed over the target
// only when every byte was written. A short write, a full disk or a failed
// rename leaves the old file untouched and no temporary file behind.
// A symbolic link is followed (the file it names is replaced, the link stays),
// the replaced file's permissions are kept, and an existing file that cannot
// be opened for writing (read-only) is refused and left as it is.

#include <cstdint>
#include <string>
#include <string_view>

namespace tavix {

// Writes `data` to `path` atomically. On failure returns false and, when
// `error` is given, sets it to a short description (the system's reason).
bool WriteFileAtomically(const std::string& path, std::string_view data,
                         std::string* error = nullptr);

}  // namespace tavix
