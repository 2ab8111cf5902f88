#pragma once
// Files the program reads (config.ini, record files, firmware files) must be
// regular files: a FIFO or a device would block the read forever, a folder
// cannot be read at all. These checks refuse anything else before any byte
// is read, with the reason for the user.

#include <cstddef>
#include <cstdio>
#include <string>
#include "base/Translate.h"

namespace tavix {

// The reason shown for a path that names something other than a regular file.
inline constexpr const char* kNotRegularFile = TAVIX_TR("Not a regular file");
// The reason shown for a file larger than its kind of file can be.
inline constexpr const char* kFileTooLarge = TAVIX_TR("File too large");

// True when `path` (a symbolic link followed) is a regular file. Otherwise
// false, with `error` (when given) set to the system's reason ("No such file
// or directory", "Too many levels of symbolic links") or kNotRegularFile.
[[nodiscard]] bool IsRegularFile(const std::string& path, std::string* error = nullptr);

// Opens `path` for reading in binary mode, only if it is a regular file; the
// check and the read see the same file, and opening a FIFO does not wait for
// a writer. nullptr on refusal, with `error` set as above.
std::FILE* OpenRegularFile(const std::string& path, std::string* error = nullptr);

// Reads the whole of `path` into `bytes`, only if it is a regular file of at
// most `limit` bytes: a file that grows past the limit while it is read is
// refused too, so /dev/zero behind a link or a file being appended to never
// fills the memory. False with `error` set (kFileTooLarge for a file too large).
[[nodiscard]] bool ReadRegularFile(const std::string& path, std::size_t limit, std::string& bytes,
                                   std::string* error = nullptr);

// Whether two names stand for one file: a link, "./a.dat" and "a.dat", or a
// name of a file that does not exist yet spelled two ways. False when either is empty.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace tavix
