#pragma once
// Number conversions of config.ini values. They read exactly like the C
// library's atoi and atof in the "C" locale: leading blanks skipped, an
// optional sign, as many characters as form a number, the rest ignored
// ("12abc" is 12, "0.5e1" is 5.0, "abc" is 0).
//
// They do not depend on the process locale. A desktop toolkit may switch the
// C library to the user's locale at start, where the decimal point can be a
// comma; a plain atof would then read "0.01" as 0 and every calibration factor
// would silently vanish.

#include <string_view>

namespace tavix {

// atoi in the "C" locale; values beyond the int range are clamped to it.
int IniToInt(std::string_view text);

// atof in the "C" locale, whatever the process locale's decimal point.
double IniToReal(std::string_view text);

}  // namespace tavix
