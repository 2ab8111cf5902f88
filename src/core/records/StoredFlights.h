#pragma once
// The record files that may already hold flights of the connected logger:
// every *.dat of the given folders that came from a device of the same
// version with a memory of the same size, at the position of one of the
// logger's flights and with its sample count. Each becomes a candidate of
// that flight in the list, carrying its samples in the flight's confirm
// window (FlightList.h), so that one read of the logger settles it.
//
// Only the header part of a file is read unless it matches; files that cannot
// be read are passed over (they hold no flight the upload could rely on).

#include <string>
#include <vector>

#include "logger/FlightList.h"

namespace tavix {

// Adds to `list` the candidates found in `folders` (one folder named twice is
// looked at once). `version` is the connected device's version text.
void FindStoredCandidates(const std::vector<std::string>& folders, const std::string& version,
                          const LoggerBlock& current, FlightList& list);

// The samples of `record` in the window of `place` (the sample before it too).
StoredWindow WindowSamples(const FlightRecord& record, const FlightPlace& place,
                           const std::string& path);

}  // namespace tavix
