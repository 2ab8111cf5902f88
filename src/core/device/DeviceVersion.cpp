#include "device/DeviceVersion.h"

namespace tavix {

std::string HardwareCodeOf(const std::string& version) {
    return version.size() > 8 ? version.substr(8, 4) : std::string();
}

int SeriesOf(const std::string& version) {
    if (version.size() < 4) {
        return kSeriesUnknown;
    }
    const char a = version[2];
    const char b = version[3];
    if (a == 'K' && b == 'A') {
        return kSeriesTarrow;
    }
    if (a == 'K' && b == 'B') {
        return kSeriesVelmor;
    }
    if (a == 'K' && b == 'C') {
        return kSeriesOstrin;
    }
    if (a == 'Z' && b == 'A') {
        return kSeriesPeldan;
    }
    return kSeriesUnknown;
}

const char* SeriesName(int series) {
    switch (series) {
        case kSeriesTarrow:
            return "Tarrow";
        case kSeriesVelmor:
            return "Velmor";
        case kSeriesOstrin:
            return "Ostrin";
        case kSeriesPeldan:
            return "Peldan";
        default:
            return "unknown";
    }
}

bool HasLogger(const std::string& version) {
    return version.size() > 8 && version[8] == '1';
}

}  // namespace tavix
