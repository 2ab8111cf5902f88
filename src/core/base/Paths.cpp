#include "base/Paths.h"

namespace tavix {

std::filesystem::path PathFromUtf8(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string JoinPathWith(const std::string& folder, const std::string& name, char separator) {
    if (folder.empty()) {
        return name;
    }
    const char last = folder.back();
    if (last == separator || last == '/') {
        return folder + name;
    }
    return folder + separator + name;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return JoinPathWith(folder, name, PathSeparator());
}

}  // namespace tavix
