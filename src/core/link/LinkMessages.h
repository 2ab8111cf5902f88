#pragma once
// What every device page says when the device does not answer its read.

namespace tavix {

inline constexpr const char* kMsgConnectTimeout = "Time out, connect failure!";

}  // namespace tavix
