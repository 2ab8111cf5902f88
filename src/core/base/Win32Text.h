#pragma once
// UTF-8, the program's text for file names, to and from the UTF-16 of the
// Windows wide functions. Only the Windows source files use it; SystemWin32.cpp
// defines it.

#include <string>
#include <string_view>

namespace tavix {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// The system's message for an error code of GetLastError(), as UTF-8.
std::string SystemErrorText(unsigned long code);

}  // namespace tavix
