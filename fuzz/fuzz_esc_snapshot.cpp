// ESC snapshot and parameter files from anywhere (the history folder is the
// user's, and `esc diff` / `esc restore` take any path): parse them as a
// snapshot, as a parameter file for every series, and decode the block a
// snapshot holds. Whatever the bytes, nothing may crash, and a snapshot that
// parses holds a whole block that decodes and restores exactly.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "esc/EscHistory.h"
#include "esc/EscParamBlock.h"
#include "esc/EscParamText.h"
#include "link/Frame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (auto snapshot = tavix::ParseSnapshot(text)) {
        if (snapshot->block.size() != tavix::kParamBlockSize) {
            std::abort();
        }
        for (int series = 0; series < 4; ++series) {
            const tavix::EscSeriesTable& table = *tavix::SeriesTable(series);
            std::string refusal;
            tavix::EncodeParamBlock(table, tavix::DecodeParamBlock(table, snapshot->block),
                                    snapshot->block, refusal);
            // A restore writes every byte it carries as the snapshot holds it:
            // once written, nothing is left to change.
            const tavix::Bytes restored = tavix::RestoreBlock(table, snapshot->block);
            if (restored.size() != tavix::kParamBlockSize ||
                !tavix::RestoreChanges(table, restored, snapshot->block).empty()) {
                std::abort();
            }
        }
    }
    tavix::ParamFileValues(text);
    for (int series = 0; series < 4; ++series) {
        std::string error;
        tavix::ParseParamFile(*tavix::SeriesTable(series), text, "fuzz", error);
    }
    return 0;
}
