#pragma once
// File names are in the system's encoding (UTF-8 here); the program's texts
// are GBK bytes. A file name that goes into a message or a summary passes
// through PathText first, so the whole text is one encoding. Core cannot
// convert by itself: the platform installs the converter once at start (GBK's
// superset GB18030, which holds every character a name may have). Without
// one, the bytes stay as they are.

#include <string>

namespace tavix {

using PathTextConverter = std::string (*)(const std::string& path);

void SetPathTextConverter(PathTextConverter converter);

// `path` as program text.
std::string PathText(const std::string& path);

}  // namespace tavix
