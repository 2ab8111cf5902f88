// tavix-cli info: a record file opened as the window opens it, in words.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <ostream>

#include "Commands.h"
#include "logger/LoggerHeader.h"
#include "logger/LoggerMessages.h"
#include "records/CTavixDoc.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli info RECORD.dat [--config FILE]\n"
    "\n"
    "Opens a record file as the window does (the calibration comes from config.ini\n"
    "by the record's hardware code) and shows its header, its channel table and\n"
    "the statistics of its curves.\n"
    "\n"
    "  --config FILE  the settings file (default: ./config.ini)\n";

// Units of the physical values, by channel.
constexpr const char* kUnits[kChannelCount] = {"V", "A", "%", "C", "RPM", "", "", ""};

std::string LocalTimeText(std::int64_t seconds) {
    const auto t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr) {
        return std::to_string(seconds);
    }
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

void PrintHeader(const Io& io, const std::string& path, const FlightRecord& r,
                 const RecordForm& form) {
    const RecordHeader& h = r.header;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    io.out << "File:           " << path;
    if (!ec) {
        io.out << " (" << size << " bytes)";
    }
    io.out << '\n';
    io.out << "Recorded:       " << LocalTimeText(h.timeA) << '\n';
    io.out << "Device version: " << Printable(form.version) << '\n';
    io.out << "Hardware code:  " << Printable(FixedText(h.hwCode)) << '\n';
    io.out << "Note:           " << Printable(form.note) << '\n';
    io.out << "Samples:        " << h.samples << " per channel, " << h.channels << " channels, "
           << int{h.rate} << " per second";
    if (h.rate > 0) {
        io.out << FormatText(" (%.1f s)", static_cast<double>(h.samples) / h.rate);
    }
    io.out << '\n';
    io.out << "Gear rate:      " << FormatText("%.2f", static_cast<double>(form.gearRate))
           << "    Pole number: " << form.poles << '\n';
    io.out << "Y axis:         channel " << h.yAxis << " ("
           << Trimmed(FixedText(r.channels[h.yAxis].name)) << ")\n";
    const LoggerBlock& b = r.logger;
    io.out << "Logger:         " << FormatText("last address 0x%04X", unsigned{b.lastAddress})
           << ", cycle recording " << (b.cycle != 0 ? "on" : "off") << ", " << FlightCountOf(b)
           << " flights stored, " << b.rate << " samples per second\n";
}

void PrintChannels(const Io& io, const FlightRecord& r, const ConversionResult& conversion) {
    io.out << "\nCh Name            Shown Colour  Line   Stat A   Stat B   Axis range"
              "             Curve range\n";
    for (int ch = 0; ch < r.header.channels; ++ch) {
        const ChannelInfo& c = r.channels[ch];
        const AxisRange& axis = r.ranges[ch];
        const AxisRange& seen = conversion.observed[ch];
        const std::uint32_t rgb = ((c.colour & 0xFF) << 16) | (c.colour & 0xFF00) |
                                  ((c.colour >> 16) & 0xFF);  // COLORREF is 0x00BBGGRR
        io.out << FormatText(
            "%2d %-15s %-5s #%06X %4d %8d %8d %10.2f..%-10.2f %10.2f..%.2f %s\n", ch,
            Printable(Trimmed(FixedText(c.name))).c_str(), c.visible != 0 ? "yes" : "no",
            static_cast<unsigned>(rgb), static_cast<int>(c.line), static_cast<int>(c.statA),
            static_cast<int>(c.statB), static_cast<double>(axis.min), static_cast<double>(axis.max),
            static_cast<double>(seen.min), static_cast<double>(seen.max), kUnits[ch]);
    }
}

void PrintStatistics(const Io& io, const FlightRecord& r, const ConversionResult& conversion) {
    const auto& seen = conversion.observed;
    io.out << "\nStatistics (calibration of " << Printable(FixedText(r.header.hwCode))
           << " in config.ini, smoothing windows of [display]):\n";
    io.out << FormatText("  Max.Current %.1f A, Min.Voltage %.1f V, Max.Throttle %.1f %%, ",
                         static_cast<double>(seen[kCurrent].max),
                         static_cast<double>(seen[kVoltage].min),
                         static_cast<double>(seen[kThrottle].max));
    io.out << FormatText("Max.Power %5.1f W, Max.Temperature %.1f C, Sampling Rate %d ps\n",
                         static_cast<double>(conversion.maxPower),
                         static_cast<double>(seen[kTemperature].max), int{r.header.rate});
}

}  // namespace

int RunInfo(const Args& args, const Io& io) {
    const ParsedArgs parsed = ParseArgs(args, {{"--config"}});
    if (parsed.help) {
        io.out << kUsage;
        return kExitOk;
    }
    if (!parsed.error.empty()) {
        return UsageError(io, "info", parsed.error, kUsage);
    }
    if (parsed.positional.size() != 1) {
        return UsageError(
            io, "info",
            parsed.positional.empty() ? "which record file?" : "one record file at a time", kUsage);
    }
    StreamPrompt prompt(io);
    const auto settings = LoadSettings(parsed.Get("--config", kDefaultConfig), prompt, io);
    if (!settings) {
        return kExitRefused;
    }
    const std::string& path = parsed.positional.front();
    CTavixDoc doc(settings->config, settings->ini);
    RecordForm form;
    std::string message;
    if (!doc.OnOpenDocument(path, form, message)) {
        prompt.Message(message, PromptIcon::Exclamation);
        return kExitRefused;
    }
    FlightRecord& record = settings->config.Record();
    const ConversionResult& conversion = settings->config.Convert();
    PrintHeader(io, path, record, form);
    PrintChannels(io, record, conversion);
    if (record.header.channels >= kUploadChannels) {
        PrintStatistics(io, record, conversion);
    }
    return kExitOk;
}

}  // namespace tavix::cli
