#pragma once
// The atomic write's cases run twice: with the system's unnamed temporaries
// and with hidden named ones.

#include <gtest/gtest.h>

#include <string>

#include "base/AtomicFile.h"

namespace tavix::test {

class EachTemporaryKind : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { atomic_file_detail::useUnnamedTemporaries = GetParam(); }
    void TearDown() override { atomic_file_detail::useUnnamedTemporaries = true; }
};

inline std::string TemporaryKindName(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "Unnamed" : "Named";
}

}  // namespace tavix::test
