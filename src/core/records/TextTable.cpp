#include "records/TextTable.h"

#include <algorithm>

namespace tavix {

std::string AlignedTable(const std::vector<std::vector<std::string>>& lines,
                         const std::vector<bool>& left) {
    std::vector<std::size_t> widths;
    for (const auto& line : lines) {
        widths.resize(std::max(widths.size(), line.size()), 0);
        for (std::size_t c = 0; c < line.size(); ++c) {
            widths[c] = std::max(widths[c], line[c].size());
        }
    }
    std::string out;
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c) {
            const std::string pad(widths[c] - line[c].size(), ' ');
            const bool toLeft = c < left.size() && left[c];
            text += (toLeft ? line[c] + pad : pad + line[c]) + "  ";
        }
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        out += text + '\n';
    }
    return out;
}

}  // namespace tavix
