#pragma once
// Named values as a person reads them ("Timing Advance: 15 deg"), and the
// difference of two sets of them. The ESC's parameter files and history, and
// the comparison of flights by the settings they flew with, all match names
// and line the values up the same way.

#include <string>
#include <vector>

namespace tavix {

// A name with its value as shown, unit included ("640 uS").
struct NamedValue {
    std::string name;
    std::string value;
};

// `text` in lower case, every run of blanks one space, the ends trimmed: the
// form in which "Brake  Types" and "brake types" are one name.
std::string NormalName(const std::string& text);
// Whether two names are the same, blanks and case ignored ("brake  types"
// and "Brake Types").
bool SameName(const std::string& a, const std::string& b);

// One name of two sets side by side.
struct ValueDiff {
    std::string name;
    std::string a;  // the value of each side; empty where a side lacks it
    std::string b;
    bool differs = false;
};
// Every name of either set, in the order of `a`, then those only in `b`;
// names match as SameName says, each entry of `b` once.
std::vector<ValueDiff> DiffValues(const std::vector<NamedValue>& a,
                                  const std::vector<NamedValue>& b);

}  // namespace tavix
