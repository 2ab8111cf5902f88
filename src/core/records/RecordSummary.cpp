#include "records/RecordSummary.h"

#include <ctime>
#include <sstream>

#include "base/OutsideText.h"
#include "base/PathText.h"
#include "base/PlainText.h"
#include "base/System.h"
#include "logger/LoggerHeader.h"
#include "logger/LoggerMessages.h"

namespace tavix {

namespace {

// Units of the physical values, by channel.
constexpr const char* kUnits[kChannelCount] = {"V", "A", "%", "C", "RPM", "", "", ""};

// A text from the file up to its first zero byte (a version string may carry
// zeros), on one line with no control character left raw.
std::string Shown(const std::string& text) {
    return EscapeControls(UpToZero(text));
}

// A note as lines under its caption: each line break of the note (LF or
// CR LF) starts a line indented under the first; any other control character
// stays escaped, and blank lines at the note's end are left out.
std::string NoteText(const std::string& note, const std::string& indent) {
    std::string text = UpToZero(note);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    std::string out;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (start > 0) {
            out += '\n' + (line.empty() ? std::string() : indent);
        }
        out += EscapeControls(line);
        if (end == std::string::npos) {
            return out;
        }
        start = end + 1;
    }
}

void PutHeader(std::ostream& out, const RecordSummaryInput& in) {
    const FlightRecord& r = in.record;
    const RecordHeader& h = r.header;
    if (!in.path.empty()) {
        out << "File:           " << EscapeControls(PathText(in.path));
        if (in.fileSize) {
            out << " (" << *in.fileSize << " bytes)";
        }
        out << '\n';
    }
    out << "Recorded:       " << LocalTimeText(h.timeA) << '\n';
    out << "Device version: " << Shown(in.form.version) << '\n';
    out << "Hardware code:  " << Shown(FixedText(h.hwCode)) << '\n';
    out << "Note:           " << NoteText(in.form.note, std::string(16, ' ')) << '\n';
    out << "Samples:        " << h.samples << " per channel, " << h.channels << " channels, "
        << int{h.rate} << " per second";
    if (h.rate > 0) {
        out << FormatText(" (%.1f s)", static_cast<double>(h.samples) / h.rate);
    }
    out << '\n';
    out << "Gear rate:      " << FormatText("%.2f", static_cast<double>(in.form.gearRate))
        << "    Pole number: " << in.form.poles << '\n';
    const int yAxis = ((h.yAxis % kChannelCount) + kChannelCount) % kChannelCount;
    out << "Y axis:         channel " << yAxis << " ("
        << TrimmedRight(Shown(FixedText(r.channels[yAxis].name)), " ") << ")\n";
    const LoggerBlock& b = r.logger;
    out << "Logger:         " << FormatText("last address 0x%04X", unsigned{b.lastAddress})
        << ", cycle recording " << (b.cycle != 0 ? "on" : "off") << ", " << FlightCountOf(b)
        << " flights stored, " << b.rate << " samples per second\n";
}

void PutChannels(std::ostream& out, const RecordSummaryInput& in) {
    const FlightRecord& r = in.record;
    out << "\nCh Name            Shown Colour  Line   Stat A   Stat B   Axis range"
           "             Curve range\n";
    for (int ch = 0; ch < r.header.channels && ch < kChannelCount; ++ch) {
        const ChannelInfo& c = r.channels[ch];
        const AxisRange& axis = r.ranges[ch];
        const AxisRange& seen = in.conversion.observed[ch];
        const std::uint32_t rgb = ((c.colour & 0xFF) << 16) | (c.colour & 0xFF00) |
                                  ((c.colour >> 16) & 0xFF);  // COLORREF is 0x00BBGGRR
        out << FormatText(
            "%2d %-15s %-5s #%06X %4d %8d %8d %10.2f..%-10.2f %10.2f..%.2f %s\n", ch,
            TrimmedRight(Shown(FixedText(c.name)), " ").c_str(), c.visible != 0 ? "yes" : "no",
            static_cast<unsigned>(rgb), static_cast<int>(c.line), static_cast<int>(c.statA),
            static_cast<int>(c.statB), static_cast<double>(axis.min), static_cast<double>(axis.max),
            static_cast<double>(seen.min), static_cast<double>(seen.max), kUnits[ch]);
    }
}

void PutStatistics(std::ostream& out, const RecordSummaryInput& in) {
    const FlightRecord& r = in.record;
    const auto& seen = in.conversion.observed;
    out << "\nStatistics (calibration of " << Shown(FixedText(r.header.hwCode))
        << " in config.ini, smoothing windows of [display]):\n";
    out << FormatText("  Max.Current %.1f A, Min.Voltage %.1f V, Max.Throttle %.1f %%, ",
                      static_cast<double>(seen[kCurrent].max),
                      static_cast<double>(seen[kVoltage].min),
                      static_cast<double>(seen[kThrottle].max));
    out << FormatText("Max.Power %5.1f W, Max.Temperature %.1f C, Sampling Rate %d ps\n",
                      static_cast<double>(in.conversion.maxPower),
                      static_cast<double>(seen[kTemperature].max), int{r.header.rate});
}

}  // namespace

std::string LocalTimeText(std::int64_t seconds) {
    const auto t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (!ToLocalTime(t, tm)) {
        return std::to_string(seconds);
    }
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}

std::string RecordSummaryText(const RecordSummaryInput& input) {
    std::ostringstream out;
    PutHeader(out, input);
    PutChannels(out, input);
    if (input.record.header.channels >= kUploadChannels) {
        PutStatistics(out, input);
    }
    return out.str();
}

}  // namespace tavix
