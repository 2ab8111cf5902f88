#include "device/DeviceVersion.h"

#include <array>

namespace tavix {

namespace {

// The series by the code letters at characters 2-3 of the version string.
struct SeriesCode {
    int series;
    char letters[3];
    const char* name;
};

constexpr std::array<SeriesCode, 4> kSeriesCodes = {{
    {.series = kSeriesTarrow, .letters = "KA", .name = "Tarrow"},
    {.series = kSeriesVelmor, .letters = "KB", .name = "Velmor"},
    {.series = kSeriesOstrin, .letters = "KC", .name = "Ostrin"},
    {.series = kSeriesPeldan, .letters = "ZA", .name = "Peldan"},
}};

}  // namespace

std::string HardwareCodeOf(const std::string& version) {
    return version.size() > 8 ? version.substr(8, 4) : std::string();
}

int SeriesOf(const std::string& version) {
    if (version.size() < 4) {
        return kSeriesUnknown;
    }
    for (const SeriesCode& code : kSeriesCodes) {
        if (version[2] == code.letters[0] && version[3] == code.letters[1]) {
            return code.series;
        }
    }
    return kSeriesUnknown;
}

const char* SeriesName(int series) {
    for (const SeriesCode& code : kSeriesCodes) {
        if (code.series == series) {
            return code.name;
        }
    }
    return "unknown";
}

bool HasLogger(const std::string& version) {
    return version.size() > 8 && version[8] == '1';
}

}  // namespace tavix
