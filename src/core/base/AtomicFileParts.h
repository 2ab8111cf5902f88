#pragma once
// The parts of the atomic write that every system shares: where the
// temporary goes, its name, and the clean-up of temporaries that a killed
// save left behind. AtomicFilePosix.cpp and AtomicFileWin32.cpp build the
// write itself on them.

#include <string>

namespace tavix::atomic_file_detail {

// Sets `error` (when given) to `reason`; false, for `return Fail(...)`.
bool Fail(std::string* error, const std::string& reason);

// The folder of `path` ("." for a bare name), where its temporary is written.
std::string FolderOf(const std::string& path);

// A new hidden temporary name in `folder` (the name may be taken: the
// caller creates it exclusively and draws again).
std::string TemporaryNameIn(const std::string& folder);

// Removes the hidden temporaries of `folder` that are older than a minute.
void RemoveStaleTemporaries(const std::string& folder);

}  // namespace tavix::atomic_file_detail
