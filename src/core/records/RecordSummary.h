#pragma once
// A record in words: its header, its channel table and the statistics of its
// curves, as `tavix-cli info` prints it and the record page shows it until the
// curves are drawn. Texts stay GBK bytes, like every text of a record.

#include <cstdint>
#include <optional>
#include <string>

#include "flight/Conversion.h"
#include "flight/FlightRecord.h"
#include "records/CTavixDoc.h"

namespace tavix {

struct RecordSummaryInput {
    const FlightRecord& record;
    const RecordForm& form;              // what the open put into the form
    const ConversionResult& conversion;  // observed extremes and maximum power
    std::string path;                    // file name shown, may be empty
    std::optional<std::uintmax_t> fileSize;
};

std::string RecordSummaryText(const RecordSummaryInput& input);

// A record's time stamp (seconds since 1970) as local "YYYY-MM-DD hh:mm:ss".
std::string LocalTimeText(std::int64_t seconds);

}  // namespace tavix
