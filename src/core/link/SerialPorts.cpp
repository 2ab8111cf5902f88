#include "link/SerialPorts.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "base/OutsideText.h"
#include "config/CAppConfig.h"
#include "config/CIniFile.h"
#include "link/PortName.h"

namespace tavix {

namespace {

constexpr int kFixedEntries = 16;  // COM 1-16 keep their meaning
constexpr int kHighestNumber = 999;

// Natural order: runs of digits compare by value, so ttyUSB2 < ttyUSB10.
bool NaturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (da && db) {
            std::size_t ei = i;
            std::size_t ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])) != 0) {
                ++ei;
            }
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])) != 0) {
                ++ej;
            }
            // Compare by value: strip leading zeros, then longer is larger.
            std::string na = a.substr(i, ei - i);
            std::string nb = b.substr(j, ej - j);
            na.erase(0, std::min(na.find_first_not_of('0'), na.size()));
            nb.erase(0, std::min(nb.find_first_not_of('0'), nb.size()));
            if (na.size() != nb.size()) {
                return na.size() < nb.size();
            }
            if (na != nb) {
                return na < nb;
            }
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j]) {
            return a[i] < b[j];
        }
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

}  // namespace

std::vector<SerialPortEntry> ArrangePorts(std::vector<SerialPortEntry> found,
                                          const std::vector<StableName>& stableNames,
                                          const std::string& current, bool currentExists) {
    std::vector<StableName> links = stableNames;
    std::sort(links.begin(), links.end(),
              [](const StableName& a, const StableName& b) { return a.link < b.link; });
    for (SerialPortEntry& entry : found) {
        if (entry.device.empty()) {
            entry.device = entry.path;
        }
        entry.path = entry.device;
        for (const StableName& name : links) {
            if (name.target == entry.device) {
                entry.path = name.link;
                break;
            }
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const SerialPortEntry& a, const SerialPortEntry& b) {
                         if (a.HasStableName() != b.HasStableName()) {
                             return a.HasStableName();
                         }
                         return NaturalLess(a.path, b.path);
                     });
    bool marked = false;
    for (SerialPortEntry& entry : found) {
        entry.inUse =
            !current.empty() && !marked && (entry.path == current || entry.device == current);
        marked = marked || entry.inUse;
    }
    if (!marked && currentExists && !current.empty() && current != kDemoPort) {
        SerialPortEntry chosen;
        chosen.path = current;
        chosen.device = current;
        chosen.inUse = true;
        found.push_back(chosen);
    }
    return found;
}

std::string UsbId(const SerialPortEntry& entry) {
    if (entry.vendorId < 0 || entry.productId < 0) {
        return std::string();
    }
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", entry.vendorId & 0xFFFF,
                  entry.productId & 0xFFFF);
    return text;
}

std::string PortListText(const std::vector<SerialPortEntry>& ports) {
    std::string text;
    for (const SerialPortEntry& port : ports) {
        text += port.inUse ? "* " : "  ";
        text += EscapeControls(port.path);
        if (port.HasStableName()) {
            text += " -> " + EscapeControls(port.device);
        }
        text += '\n';
        std::string about;
        const auto add = [&about](const std::string& label, const std::string& value) {
            if (!value.empty()) {
                about += about.empty() ? "" : ", ";
                about += label + EscapeControls(value);
            }
        };
        add("", port.description);
        add("by ", port.manufacturer);
        add("USB ", UsbId(port));
        add("serial ", port.serialNumber);
        if (port.inUse) {
            about += about.empty() ? "in use" : ", in use";
        }
        if (!about.empty()) {
            text += "    " + about + '\n';
        }
    }
    return text;
}

std::pair<int, bool> ComNumberFor(const std::string& path, CIniFile& ini) {
    const auto hasEntry = [&ini](int n) {
        const std::string entry = "com" + std::to_string(n);
        const int section = ini.FindSection(kIniPortSection);
        return section >= 0 && ini.FindEntry(section, entry) >= 0 &&
               !ini.GetText(kIniPortSection, entry).empty();
    };
    for (int n = 1; n <= kHighestNumber; ++n) {
        if (hasEntry(n) && PortPathFor(n, ini) == path) {
            return {n, false};
        }
    }
    for (int n = 1; n <= kFixedEntries; ++n) {
        if (PortPathFor(n, ini) == path) {
            return {n, false};  // COMn on Windows, /dev/ttyUSB<n-1> elsewhere
        }
    }
    int n = kFixedEntries + 1;
    while (n < kHighestNumber && hasEntry(n)) {
        ++n;
    }
    return {n, true};
}

int StorePortPath(CAppConfig& config, CIniFile& ini, const std::string& path, bool& saved) {
    const auto [number, write] = ComNumberFor(path, ini);
    if (write) {
        ini.PutText(kIniPortSection, "com" + std::to_string(number), path, true);
    }
    saved = config.SetComPort(ini, number);
    return number;
}

}  // namespace tavix
