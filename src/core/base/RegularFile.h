#pragma once
// Files the program reads (config.ini, record files, firmware files) must be
// regular files: a FIFO or a device would block the read forever, a folder
// cannot be read at all. These checks refuse anything else before any byte
// is read, with the reason for the user.

#include <cstdio>
#include <string>

namespace tavix {

// The reason shown for a path that names something other than a regular file.
inline constexpr const char* kNotRegularFile = "Not a regular file";

// True when `path` (a symbolic link followed) is a regular file. Otherwise
// false, with `error` (when given) set to the system's reason ("No such file
// or directory", "Too many levels of symbolic links") or kNotRegularFile.
bool IsRegularFile(const std::string& path, std::string* error = nullptr);

// Opens `path` for reading in binary mode, only if it is a regular file; the
// check and the read see the same file, and opening a FIFO does not wait for
// a writer. nullptr on refusal, with `error` set as above.
std::FILE* OpenRegularFile(const std::string& path, std::string* error = nullptr);

}  // namespace tavix
