#pragma once
// What every device page says when the device does not answer its read.

#include "base/Translate.h"

namespace tavix {

inline constexpr const char* kMsgConnectTimeout = TAVIX_TR("Time out, connect failure!");

// Below a time-out message when bytes came but none formed a reply.
inline constexpr const char* kDetailGarbledReply = TAVIX_TR(
    "%lu bytes came from the device, but none of them formed a valid reply (wrong check sum, "
    "command byte or length). Check that nothing else uses the port and that the cable is "
    "firmly in.");

// Below a time-out message when not one byte came back.
inline constexpr const char* kDetailSilence = TAVIX_TR(
    "Not one byte came back on %s. Check that the ESC is powered (its battery connected), that "
    "the cable is firmly in, and that this is the adapter's port.");
// Below a time-out message when the port itself went away meanwhile.
inline constexpr const char* kDetailPortVanished = TAVIX_TR(
    "The port %s went away while the device was answering: it was unplugged or lost its power. "
    "Plug it in again, then start again.");
// Below a write's time-out: whether the device holds what was sent is not
// known, so what it holds must be read before anyone relies on it.
inline constexpr const char* kDetailEscWriteUnknown = TAVIX_TR(
    "Whether the ESC took the new values is not known: the page still shows the values sent. "
    "Before flying, read the ESC again and check every value.");
inline constexpr const char* kDetailNothingWritten = TAVIX_TR(
    "Nothing was written: the device did not answer the read that comes before every write.");
inline constexpr const char* kDetailLoggerWriteUnknown = TAVIX_TR(
    "Whether the logger took the new settings is not known: read it again before relying on "
    "them.");
inline constexpr const char* kDetailClearUnknown = TAVIX_TR(
    "Whether the flights were cleared is not known. Open Device again: the flight count tells, "
    "and flights still there can be uploaded.");
// A lock file of the port that is no regular file: the open is refused at once.
inline constexpr const char* kErrIrregularLockFile = TAVIX_TR(
    "lock file %s is not a regular file (it would keep the port from opening for ever); remove "
    "it with: sudo rm %s");

// Below a time-out message when whole replies came that answered another
// request than the one awaited: how many, the headers they named, and what was
// asked.
inline constexpr const char* kDetailForeignReplies = TAVIX_TR(
    "Replies that answered another request: %d (%s). None was taken for the request awaited "
    "(command %u, address 0x%04X, length %u): a request or a reply was lost on the line.");
inline constexpr const char* kDetailForeignHeader =
    TAVIX_TR("command %u, address 0x%04X, length %u");
inline constexpr const char* kDetailForeignHeaderMore =
    TAVIX_TR("; command %u, address 0x%04X, length %u");

}  // namespace tavix
