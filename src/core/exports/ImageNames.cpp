#include "exports/ImageNames.h"

#include <algorithm>
#include <cctype>

namespace tavix {

namespace {

// The extension of the path's last component ("" when it has none). A name
// that only starts with a dot (".hidden") has none.
std::string ExtensionOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size()) {
        return std::string();
    }
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

std::string WithImageExtension(const std::string& path, int filter) {
    if (!ExtensionOf(path).empty()) {
        return path;
    }
    const bool known = filter >= 1 && filter <= static_cast<int>(kImageFilters.size());
    std::string base = path;
    while (!base.empty() && base.back() == '.') {
        base.pop_back();  // "chart." means "chart" with the filter's extension
    }
    return base + kImageFilters[known ? filter - 1 : 0].extension;
}

ImageFormat ImageFormatOf(const std::string& path) {
    const std::string extension = ExtensionOf(path);
    if (extension == "jpg" || extension == "jpeg") {
        return ImageFormat::Jpeg;
    }
    if (extension == "bmp") {
        return ImageFormat::Bmp;
    }
    if (extension == "png") {
        return ImageFormat::Png;
    }
    if (extension == "gif") {
        return ImageFormat::Gif;
    }
    return ImageFormat::Unknown;
}

}  // namespace tavix
