#pragma once
// Bytes as they travel on the serial line and lie in files.

#include <cstdint>
#include <vector>

namespace tavix {

using Bytes = std::vector<std::uint8_t>;

}  // namespace tavix
