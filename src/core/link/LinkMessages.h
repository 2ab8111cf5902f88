#pragma once
// What every device page says when the device does not answer its read.

namespace tavix {

inline constexpr const char* kMsgConnectTimeout = "Time out, connect failure!";

// Below a time-out message when bytes came but none formed a reply.
inline constexpr const char* kDetailGarbledReply =
    "%lu bytes came from the device, but none of them formed a valid reply (wrong check sum, "
    "command byte or length). Check that nothing else uses the port and that the cable is "
    "firmly in.";

}  // namespace tavix
