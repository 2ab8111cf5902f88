#include "link/PortName.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

#include "base/PlainText.h"
#include "base/System.h"
#include "config/CIniFile.h"
#include "config/IniNames.h"

namespace tavix {

namespace {

bool EqualsIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != 0; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == 0;
}

// "COM3", "com3" or "COM 3" -> 3; anything else -> 0.
int ComNumber(const std::string& text) {
    if (text.size() < 4 || !EqualsIgnoringCase(text.substr(0, 3), "com")) {
        return 0;
    }
    std::size_t i = 3;
    if (text[i] == ' ') {
        ++i;
    }
    if (i >= text.size() || text.size() - i > 3) {
        return 0;
    }
    int number = 0;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i])) == 0) {
            return 0;
        }
        number = number * 10 + (text[i] - '0');
    }
    return number;
}

}  // namespace

std::string PortPathFor(int number, CIniFile& ini) {
    if (number < 1) {
        return std::string();  // no port: opening says so
    }
    if (std::optional<std::string> name = NumberedPortName(number)) {
        return *name;
    }
    const std::string entry = "com" + std::to_string(number);
    const int section = ini.FindSection(kIniPortSection);
    if (section >= 0 && ini.FindEntry(section, entry) >= 0) {
        std::string path = Trimmed(ini.GetText(kIniPortSection, entry));
        if (!path.empty()) {
            return path;
        }
    }
    return "/dev/ttyUSB" + std::to_string(number - 1);
}

std::string ResolvePort(const std::string& portOption, int storedNumber, CIniFile& ini) {
    const std::string option = Trimmed(portOption);
    if (option.empty()) {
        return PortPathFor(storedNumber, ini);
    }
    if (EqualsIgnoringCase(option, kDemoPort)) {
        return kDemoPort;
    }
    if (const int number = ComNumber(option); number > 0) {
        return PortPathFor(number, ini);
    }
    // A name with a slash is a path. A bare name is one of the system's
    // devices (the serial library looks it up under /dev), unless something
    // of that name is in the working directory: then the user means that.
    std::error_code ec;
    if (option.find('/') == std::string::npos &&
        std::filesystem::exists(std::filesystem::symlink_status(option, ec))) {
        return "./" + option;
    }
    return option;
}

}  // namespace tavix
