// tavix-cli map: where each flight's motor spent its time, band by band of
// throttle, as the record page's Map view shows it.
#include <charconv>
#include <ostream>

#include "Commands.h"
#include "analysis/SpanIndex.h"
#include "analysis/ThrottleMap.h"
#include "base/PathText.h"
#include "records/TextTable.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli map RECORD.dat... [--bin PCT] [--csv] [--config FILE]\n"
    "\n"
    "Opens each record file as the window does and cuts its flight into throttle\n"
    "bands of PCT % (0 up to 100 %; full throttle counts in the top band, below 0\n"
    "in the first). For each band that holds samples: the time spent there, the\n"
    "mean and highest current, the mean power (voltage x current, sample by\n"
    "sample), the mean RPM, the highest temperature and the mean voltage per\n"
    "cell (the cells as `info` counts them). The values are the smoothed,\n"
    "calibrated ones the curves and `csv` show.\n"
    "\n"
    "  --bin PCT      the width of a band in percent, 1 to 100 (default 10)\n"
    "  --csv          comma-separated, one row per band per record:\n"
    "                 file,throttle_from,throttle_to,seconds,mean_current_a,\n"
    "                 max_current_a,mean_power_w,mean_rpm,max_temp_c,mean_cell_v\n";

constexpr const char* kBadBin = "--bin wants a percent from 1 to 100, not ";
constexpr const char* kNoThrottle = "no throttle channel: nothing to map";

bool ParseBin(const std::string& text, double& percent) {
    const char* last = text.data() + text.size();
    const auto result = std::from_chars(text.data(), last, percent, std::chars_format::fixed);
    return result.ec == std::errc() && result.ptr == last && percent >= kMinMapBand &&
           percent <= kMaxMapBand;
}

}  // namespace

int RunMap(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    double bin = kDefaultMapBand;
    if (parsed.Has("--bin") && !ParseBin(parsed.Get("--bin"), bin)) {
        return call.UsageError(kBadBin + parsed.Get("--bin"));
    }
    const bool csv = parsed.Has("--csv");
    StreamPrompt prompt(io);
    if (csv) {
        io.out << kMapCsvHeader << "\r\n";
    }
    int failed = 0;
    bool first = true;
    for (const std::string& path : parsed.positional) {
        RecordForm form;
        // Each file as the window opens it, so its gaps are filled alike.
        const auto settings = call.OpenRecord(prompt, path, form);
        if (!settings) {
            ++failed;
            continue;
        }
        settings->doc.Convert();
        const ThrottleMap map = MapThrottle(SpanIndex(settings->doc.Current()), bin);
        const std::string name = PathText(path);
        if (!map.hasThrottle) {
            io.err << PrintableField(name) << ": " << kNoThrottle << '\n';
            ++failed;
            continue;
        }
        if (csv) {
            io.out << Printable(MapCsvRows(name, map));
            continue;
        }
        io.out << (first ? "" : "\n") << PrintableField(name);
        if (map.cells > 0) {
            io.out << "  (" << map.cells << "S)";
        }
        io.out << '\n'
               << AlignedTable(MapTextRows(map),
                               {true, false, false, false, false, false, false, false});
        first = false;
    }
    return failed > 0 ? kExitRefused : kExitOk;
}

const Command kMapCommand{"map",
                          "where the motor spends its flight: time and load per throttle band",
                          kUsage,
                          {{"--config"}, {"--csv", false}, {"--bin"}},
                          1,
                          static_cast<std::size_t>(-1),
                          "which record files?",
                          RunMap};

}  // namespace tavix::cli
