#pragma once
// File names as the program keeps them: UTF-8 text on every system, joined
// with the separator of the system it runs on (System.h's source file of
// each system says which).

#include <filesystem>
#include <string>

namespace tavix {

// The character that separates a folder from the name in it: '/', or '\\' on Windows.
char PathSeparator();

// `name` inside `folder`, joined with this system's separator (an empty
// folder gives `name` alone; a folder that already ends in a separator gets
// no second one).
std::string JoinPath(const std::string& folder, const std::string& name);
// The same with `separator`, for a path of another system's convention.
std::string JoinPathWith(const std::string& folder, const std::string& name, char separator);

// A file name of the program (UTF-8 on every system) as a path of the C++
// library, which on Windows would read a narrow name in the system's code page.
std::filesystem::path PathFromUtf8(const std::string& name);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace tavix
