#include "records/AnalysisLimits.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tavix {

namespace {

double Entry(const CIniFile& ini, const char* entry, double fallback, double low, double high) {
    if (ini.FindSection(kIniAnalysisSection) < 0) {
        return fallback;
    }
    std::string text = ini.GetText(kIniAnalysisSection, entry);
    const auto begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        return fallback;
    }
    text = text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value) || value < low || value > high) {
        return fallback;
    }
    return value;
}

}  // namespace

EventLimits ReadEventLimits(const CIniFile& ini) {
    const EventLimits defaults;
    EventLimits limits;
    limits.cellMin = Entry(ini, kIniCellMinEntry, defaults.cellMin, kCellMinLow, kCellMinHigh);
    limits.tempMax = Entry(ini, kIniTempMaxEntry, defaults.tempMax, kTempMaxLow, kTempMaxHigh);
    limits.currentMax = Entry(ini, kIniCurrentMaxEntry, defaults.currentMax, 0.0, kCurrentMaxHigh);
    return limits;
}

bool WriteEventLimits(CIniFile& ini, const EventLimits& limits) {
    const EventLimits held = ReadEventLimits(ini);
    bool changed = false;
    auto put = [&](const char* entry, double value, double was) {
        if (PointNumber(value, 2) != PointNumber(was, 2)) {
            ini.PutText(kIniAnalysisSection, entry, PointNumber(value, 2), true);
            changed = true;
        }
    };
    put(kIniCellMinEntry, limits.cellMin, held.cellMin);
    put(kIniTempMaxEntry, limits.tempMax, held.tempMax);
    put(kIniCurrentMaxEntry, limits.currentMax, held.currentMax);
    return !changed || ini.Save();
}

}  // namespace tavix
