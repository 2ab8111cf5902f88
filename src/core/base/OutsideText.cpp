#include "base/OutsideText.h"

namespace tavix {

std::string EscapeControls(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

std::string Quoted(std::string_view prefix, std::string_view text) {
    std::string quoted = "\"";
    quoted += prefix;
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

}  // namespace

std::string CsvCell(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    return Quoted("", text);
}

std::string CsvTextCell(std::string_view text) {
    const bool formula =
        !text.empty() && (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@');
    return formula ? Quoted("'", text) : CsvCell(text);
}

}  // namespace tavix
