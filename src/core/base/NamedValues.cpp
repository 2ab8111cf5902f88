#include "base/NamedValues.h"

#include <cctype>

namespace tavix {

std::string NormalName(const std::string& text) {
    std::string out;
    bool blank = false;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            blank = !out.empty();
            continue;
        }
        if (blank) {
            out.push_back(' ');
            blank = false;
        }
        out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    return out;
}

bool SameName(const std::string& a, const std::string& b) {
    return NormalName(a) == NormalName(b);
}

std::vector<ValueDiff> DiffValues(const std::vector<NamedValue>& a,
                                  const std::vector<NamedValue>& b) {
    std::vector<ValueDiff> lines;
    std::vector<bool> matched(b.size(), false);
    for (const NamedValue& left : a) {
        ValueDiff line{left.name, left.value, "", true};
        for (std::size_t i = 0; i < b.size(); ++i) {
            if (!matched[i] && SameName(left.name, b[i].name)) {
                matched[i] = true;
                line.b = b[i].value;
                break;
            }
        }
        line.differs = line.a != line.b;
        lines.push_back(std::move(line));
    }
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (!matched[i]) {
            lines.push_back(ValueDiff{b[i].name, "", b[i].value, true});
        }
    }
    return lines;
}

}  // namespace tavix
