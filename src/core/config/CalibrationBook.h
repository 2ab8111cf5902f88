#pragma once
// The calibration (k, c of every channel) config.ini holds for each hardware
// code, read once: what opening a record file needs from the settings. A
// record takes the calibration of its hardware as config.ini holds it now,
// not the one in force when it was made.
//
// A reader of many records (the logbook, a comparison) keeps this small value
// instead of the settings file.

#include <array>
#include <map>
#include <string>

#include "flight/FlightRecord.h"

namespace tavix {

class CIniFile;

using ChannelCalibration = std::array<Calibration, kChannelCount>;

class CalibrationBook {
public:
    // Every section of `ini` counts as a hardware code (a profile section);
    // an entry kvalueN / cvalueN it does not have reads as 0.
    static CalibrationBook FromIni(const CIniFile& ini);

    // The calibration of hardware `hw`; null when config.ini has no such section.
    const ChannelCalibration* Find(const std::string& hw) const;

private:
    std::map<std::string, ChannelCalibration> byHardware_;
};

}  // namespace tavix
