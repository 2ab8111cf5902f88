#include "fakes/SystemFiles.h"

namespace tavix::test {

bool MakeFifo(const std::string&) {
    return false;
}

}  // namespace tavix::test
