#pragma once
// Every file the program writes (config.ini, record files, CSV, images) is
// written whole or not at all: the bytes go to a temporary file in the target's
// folder, are flushed to the disk, and only then get the target's name; the
// folder is flushed after, so a power cut cannot leave an empty file under
// the final name. On Linux the temporary has no name at all until it is
// linked in (O_TMPFILE), so a crash leaves nothing behind; elsewhere it is a
// hidden file named kTemporaryPrefix..., and the next write into that folder
// removes such files once they are a minute old.
//
// Two ways to give the file its name:
// - WriteFileAtomically replaces what is there (Save, config.ini, CSV,
//   images, parameter files), but only a regular file: a device, a FIFO or a
//   folder under the name is refused (kNotRegularFile) and left as it is. A
//   symbolic link is followed (the file it names is replaced, the link stays)
//   only when the link belongs to the user running the program or to root;
//   a link of anyone else is refused (kLinkOfAnotherUser), as the kernel's
//   protected-symlinks rule does in shared folders. The replaced file's
//   permissions are kept, and an existing file that cannot be opened for
//   writing (read-only) is refused and left as it is.
// - CreateFileAtomically never replaces anything (a new record file): when
//   the name was taken by the time the file is ready (another upload into the
//   same folder), it says so and the caller picks another name.

#include <cstdint>
#include <string>
#include <string_view>
#include "base/Translate.h"

namespace tavix {

// Hidden temporaries start with this name.
inline constexpr const char* kTemporaryPrefix = ".tavix-tmp-";

// The reason given for a write refused because the name is a symbolic link
// that another user owns.
inline constexpr const char* kLinkOfAnotherUser = TAVIX_TR("Symbolic link owned by another user");

// Writes `data` to `path` atomically. On failure returns false and, when
// `error` is given, sets it to a short description (the system's reason).
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view data,
                                       std::string* error = nullptr);

enum class CreateResult { Created, NameTaken, Failed };

// Writes `data` as the new file `path`, only if nothing (not even a dangling
// symbolic link) has that name when the file is linked into place. Failed
// sets `error` as above.
CreateResult CreateFileAtomically(const std::string& path, std::string_view data,
                                  std::string* error = nullptr);

namespace atomic_file_detail {
// False makes the writes above use hidden named temporaries even where the
// system has unnamed ones, so the tests cover both ways.
extern bool useUnnamedTemporaries;
}  // namespace atomic_file_detail

}  // namespace tavix
