#pragma once
// A table as aligned text for the terminal: columns as wide as their widest
// cell, two blanks between them, no blanks at the ends of lines.

#include <string>
#include <vector>

namespace tavix {

// `lines` are rows of cells (the first usually the headings); a column
// whose `left` entry is true is left-aligned, the others right-aligned.
std::string AlignedTable(const std::vector<std::vector<std::string>>& lines,
                         const std::vector<bool>& left);

}  // namespace tavix
