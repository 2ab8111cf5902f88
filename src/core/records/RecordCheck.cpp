#include "records/RecordCheck.h"

#include "base/FormatText.h"
#include "base/Translate.h"
#include "exports/CsvExport.h"
#include "flight/Conversion.h"

namespace tavix {

std::optional<ImplausibleSample> FirstImplausibleSample(const FlightRecord& record) {
    std::optional<ImplausibleSample> first;
    const int channels = ChannelsOf(record);
    const int samples = SamplesOf(record);
    for (int ch = 0; ch < channels; ++ch) {
        // Only samples before the earliest one found so far can be earlier.
        const int end = first ? first->sample : samples;
        const std::int32_t* raw = record.raw[ch].data();
        for (int j = 0; j < end; ++j) {
            if (raw[j] < 0 || raw[j] > kLargestRawSample) {
                first = ImplausibleSample{ch, j, raw[j]};
                break;
            }
        }
    }
    return first;
}

std::string ImplausibleWarning(const FlightRecord& record, const ImplausibleSample& found,
                               const std::string& name) {
    const float value = PhysicalValue(record, found.channel, found.raw);
    const double seconds =
        record.header.rate > 0 ? static_cast<double>(found.sample) / record.header.rate : 0.0;
    return FormatShown(kMsgImplausibleRecord, name.c_str(), kCsvColumnNames[found.channel],
                       found.sample + 1, seconds, CsvValue(value).c_str());
}

std::string ImplausibleMark(const FlightRecord& record) {
    const std::optional<ImplausibleSample> found =
        record.dataLoaded ? FirstImplausibleSample(record) : std::nullopt;
    if (!found) {
        return {};
    }
    const float value = PhysicalValue(record, found->channel, found->raw);
    const double seconds =
        record.header.rate > 0 ? static_cast<double>(found->sample) / record.header.rate : 0.0;
    return FormatShown(kFmtImplausibleMark, kCsvColumnNames[found->channel],
                       CsvValue(value).c_str(), seconds, found->sample + 1);
}

}  // namespace tavix
