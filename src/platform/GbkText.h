#pragma once
// The program's 8-bit text is GBK, the Chinese code page its files and its
// devices use (the degree-Celsius sign is the two bytes A1 E6). Core keeps it
// as bytes; the windows convert here, at the edge.

#include <QString>
#include <string>

namespace tavix {

// True when Qt's codec (ICU) knows GBK. Without it a small built-in table
// covers ASCII and the symbols the program itself uses.
bool GbkAvailable();

// GBK bytes to text. Bytes that are no GBK become U+FFFD; `ok` (when given)
// then reads false. Read as GB18030, GBK's superset, so that file names in
// messages (PathToGbk) come back whole.
QString FromGbk(const std::string& bytes, bool* ok = nullptr);
// Text to GBK bytes. Characters GBK lacks become "?"; `ok` then reads false.
std::string ToGbk(const QString& text, bool* ok = nullptr);

// A file name (the system's encoding) as program text: GB18030, GBK's
// superset, so that FromGbk gives every character back.
std::string PathToGbk(const std::string& path);
// Makes core's PathText use PathToGbk. Called once by each program at start.
void InstallPathText();

namespace gbk_detail {
// The built-in table used when the codec is missing.
QString FromGbkFallback(const std::string& bytes, bool* ok);
std::string ToGbkFallback(const QString& text, bool* ok);
}  // namespace gbk_detail

}  // namespace tavix
