#include "sim/SimFaults.h"

#include <algorithm>

namespace tavix::sim {

namespace {

std::int64_t LineTimeUs(std::size_t bytes) {
    return static_cast<std::int64_t>(bytes) * 1000000 / kLineBytesPerSecond;
}

}  // namespace

std::vector<TimedChunk> PlanDelivery(const Bytes& reply, std::size_t requestSize,
                                     const SimFaults& faults) {
    std::vector<TimedChunk> chunks;
    if (reply.empty()) {
        return chunks;
    }
    std::int64_t start = static_cast<std::int64_t>(std::max(faults.delayMs, 0)) * 1000;
    if (faults.pace) {
        start += LineTimeUs(requestSize);  // the request has to cross the line first
    }

    // Where each piece ends, in bytes.
    std::vector<std::size_t> ends;
    const std::size_t size = reply.size();
    if (faults.byteByByte) {
        for (std::size_t i = 1; i <= size; ++i) {
            ends.push_back(i);
        }
    } else if (faults.pieces > 1) {
        const std::size_t n = std::min(static_cast<std::size_t>(faults.pieces), size);
        for (std::size_t k = 1; k <= n; ++k) {
            ends.push_back(size * k / n);
        }
    } else if (faults.pace) {
        for (std::size_t end = kPacedChunk; end < size; end += kPacedChunk) {
            ends.push_back(end);
        }
        ends.push_back(size);
    } else {
        ends.push_back(size);
    }

    std::size_t begin = 0;
    for (std::size_t k = 0; k < ends.size(); ++k) {
        TimedChunk chunk;
        // Paced, a piece is there when its last byte is; otherwise the pieces
        // follow each other at a small fixed gap.
        chunk.atUs = faults.pace ? start + LineTimeUs(ends[k])
                                 : start + static_cast<std::int64_t>(k) * kPieceGapUs;
        chunk.bytes.assign(reply.begin() + static_cast<std::ptrdiff_t>(begin),
                           reply.begin() + static_cast<std::ptrdiff_t>(ends[k]));
        begin = ends[k];
        chunks.push_back(std::move(chunk));
    }
    return chunks;
}

}  // namespace tavix::sim
