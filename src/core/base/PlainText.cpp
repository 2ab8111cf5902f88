#include "base/PlainText.h"

namespace tavix {

std::string UpToZero(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

std::string TrimmedLeft(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TrimmedRight(std::string_view text, std::string_view blanks) {
    const std::size_t last = text.find_last_not_of(blanks);
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trimmed(std::string_view text, std::string_view blanks) {
    return TrimmedRight(TrimmedLeft(text, blanks), blanks);
}

}  // namespace tavix
