#pragma once
// Text that came from outside the program (record notes, device version
// strings, file names, pack names) on its way to a terminal or a CSV file.

#include <string>
#include <string_view>

namespace tavix {

// Control characters (bytes below 0x20 and 0x7F) become "\xNN" so that a note
// or a version string can neither move the terminal's cursor nor split a
// line; a backslash becomes "\\" so the result reads back unambiguously.
// Bytes from 0x80 up (GBK and UTF-8 text) pass unchanged.
std::string EscapeControls(std::string_view text);

// One CSV cell as it stands, quoted (quotes doubled) only when it holds a
// comma, a quote or a line break.
std::string CsvCell(std::string_view text);

// One CSV cell holding text. Quoted when it holds a comma, quote or line
// break; a cell that begins with '=', '+', '-' or '@' is one a spreadsheet
// would run as a formula, so it is written quoted with a leading apostrophe.
// Numbers are written as they are and never pass through here.
std::string CsvTextCell(std::string_view text);

}  // namespace tavix
