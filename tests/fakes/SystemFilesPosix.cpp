#include <sys/stat.h>

#include "fakes/SystemFiles.h"

namespace tavix::test {

bool MakeFifo(const std::string& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

}  // namespace tavix::test
