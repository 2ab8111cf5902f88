#pragma once
// The one command-line parser of the three programs (tavix, tavix-cli and
// tavix-devsim): "--name VALUE" or "--name=VALUE" for an option that takes a
// value, a plain "--name" for a flag, a one-letter "-o VALUE" where a rule
// names one, "-h" / "--help" anywhere, "--" ending
// the options; everything else is a positional argument. What the values mean
// is for each program to check.

#include <map>
#include <string>
#include <vector>

namespace tavix {

// An option a program accepts.
struct OptionRule {
    std::string name;  // "--port"
    bool takesValue = true;
    std::string valueHint = {};  // shown after "needs a value", e.g. "a device path, COMn or demo"
    std::string shortName = {};  // "-o": the same option, its value in the next argument
};

struct ParsedArgs {
    std::map<std::string, std::string> values;  // options given, by name ("--port"); flags ""
    std::vector<std::string> positional;
    bool help = false;  // --help or -h
    std::string error;  // non-empty: a usage error, in words

    bool Has(const std::string& name) const { return values.count(name) > 0; }
    std::string Get(const std::string& name, const std::string& fallback = "") const;
};

// `args` without the program name. An option given twice keeps its last value.
// A value may not be empty ("--port=" is an error).
ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<OptionRule>& rules);

}  // namespace tavix
