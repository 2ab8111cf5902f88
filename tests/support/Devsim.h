#pragma once
// Where the build put tavix-devsim, for the tests that run it as a user would.

#include <QString>

namespace tavix::test {

inline QString DevsimPath() {
    return QStringLiteral(TAVIX_DEVSIM_PATH);
}

}  // namespace tavix::test
