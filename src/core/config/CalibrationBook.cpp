#include "config/CalibrationBook.h"

#include "config/CAppConfig.h"
#include "config/CIniFile.h"

namespace tavix {

CalibrationBook CalibrationBook::FromIni(const CIniFile& ini) {
    CalibrationBook book;
    for (const std::string& hw : ini.SectionNames()) {
        ChannelCalibration calibration{};
        for (int i = 0; i < kChannelCount; ++i) {
            calibration[i].k = static_cast<float>(ini.GetReal(hw, KValueEntry(i)));
            calibration[i].c = static_cast<float>(ini.GetReal(hw, CValueEntry(i)));
        }
        // The first section of a name is the one the lookups find.
        book.byHardware_.emplace(hw, calibration);
    }
    return book;
}

const ChannelCalibration* CalibrationBook::Find(const std::string& hw) const {
    const auto it = byHardware_.find(hw);
    return it == byHardware_.end() ? nullptr : &it->second;
}

}  // namespace tavix
