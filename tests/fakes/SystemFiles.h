#pragma once
// Files some systems have and others do not, for the tests that check a FIFO
// is refused without waiting for a writer. Windows has no FIFOs in its file
// system: there MakeFifo makes nothing and says so, and such a case is left
// out (SystemFilesPosix.cpp, SystemFilesWin32.cpp).

#include <string>

namespace tavix::test {

// Makes a FIFO named `path`; false where the system has none.
bool MakeFifo(const std::string& path);

}  // namespace tavix::test
