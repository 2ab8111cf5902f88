#include "exports/ExportName.h"

#include <filesystem>

#include "base/FormatText.h"

namespace tavix {

std::string ExportNameCounter::Propose(const LocalTime& now) const {
    return FormatText(kExportNameFormat, now.year, now.month, now.day, next_);
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
    const std::filesystem::path file = std::filesystem::path(path).filename();
    // "flight." counts as a name typed with an (empty) extension.
    if (file.empty() || file.has_extension()) {
        return path;
    }
    return path + extension;
}

}  // namespace tavix
