#include "shell/OptionParser.h"

namespace tavix {

std::string ParsedArgs::Get(const std::string& name, const std::string& fallback) const {
    const auto it = values.find(name);
    return it == values.end() ? fallback : it->second;
}

namespace {

std::string NeedsValue(const OptionRule& rule) {
    return rule.name + " needs a value" + (rule.valueHint.empty() ? "" : ": " + rule.valueHint);
}

}  // namespace

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<OptionRule>& rules) {
    ParsedArgs parsed;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsDone || arg.size() < 2 || arg[0] != '-') {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsDone = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            continue;
        }
        const OptionRule* rule = nullptr;
        for (const OptionRule& r : rules) {
            if (!r.shortName.empty() && r.shortName == arg) {
                rule = &r;
            }
        }
        // A short name stands alone; its value is stored under the long name.
        const std::size_t equals = rule != nullptr ? std::string::npos : arg.find('=');
        const std::string name = rule != nullptr ? rule->name : arg.substr(0, equals);
        for (const OptionRule& r : rules) {
            if (rule == nullptr && r.name == name) {
                rule = &r;
            }
        }
        if (rule == nullptr) {
            parsed.error = "unknown option '" + name + "'";
            return parsed;
        }
        if (!rule->takesValue) {
            if (equals != std::string::npos) {
                parsed.error = name + " takes no value";
                return parsed;
            }
            parsed.values[name] = "";
            continue;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        }
        if (value.empty()) {
            parsed.error = NeedsValue(*rule);
            return parsed;
        }
        parsed.values[name] = value;
    }
    return parsed;
}

}  // namespace tavix
