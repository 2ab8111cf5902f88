#pragma once
// Small cuts of text that many places make: the device and the record files
// keep their texts in fixed fields padded with zero bytes (or spaces), and
// users type blanks around what they mean.

#include <string>
#include <string_view>

namespace tavix {

// What a fixed field means: the text before its first zero byte (all of it
// when it has none).
std::string UpToZero(std::string_view text);

// The blanks the trims below take by default: ASCII white space.
inline constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

// `text` without `blanks` at both ends, at its start, or at its end.
std::string Trimmed(std::string_view text, std::string_view blanks = kWhiteSpace);
std::string TrimmedLeft(std::string_view text, std::string_view blanks = kWhiteSpace);
std::string TrimmedRight(std::string_view text, std::string_view blanks = kWhiteSpace);

}  // namespace tavix
