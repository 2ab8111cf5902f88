#include "base/PathText.h"

#include <atomic>

namespace tavix {

namespace {
std::atomic<PathTextConverter> g_converter{nullptr};
}  // namespace

void SetPathTextConverter(PathTextConverter converter) {
    g_converter = converter;
}

std::string PathText(const std::string& path) {
    const PathTextConverter converter = g_converter;
    return converter != nullptr ? converter(path) : path;
}

}  // namespace tavix
