// tavix-cli events: what went wrong in a flight, found by the same rules as
// the record page's event list.
#include <ostream>

#include "Commands.h"
#include "analysis/FlightEvents.h"
#include "analysis/SpanIndex.h"
#include "base/OutsideText.h"
#include "records/AnalysisLimits.h"
#include "records/CTavixDoc.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli events RECORD.dat [--csv] [--config FILE]\n"
    "\n"
    "Opens a record file as the window does and lists, in time order, what a pilot\n"
    "would want to know: low-cell (voltage per cell below cellmin), over-temp\n"
    "(above tempmax), current-spike (above currentmax, or without it a burst of\n"
    "at most 1 s above 1.5 x the flight's typical high current), rpm-drop (RPM\n"
    "falling more than 30 % within 0.5 s while the throttle holds above 50 %)\n"
    "and no-reading (a temperature or RPM reading missing). The limits come from\n"
    "[analysis] of config.ini (cellmin 3.3 V, tempmax 90 C, currentmax unset).\n"
    "\n"
    "  --csv          comma-separated: time_s,duration_s,kind,value,text\n";

constexpr const char* kNoEvents = "No events.";

}  // namespace

int RunEvents(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    StreamPrompt prompt(io);
    RecordForm form;
    const auto settings = call.OpenRecord(prompt, parsed.positional.front(), form);
    if (!settings) {
        return kExitRefused;
    }
    settings->doc.Convert();
    const FlightRecord& record = settings->doc.Record();
    const std::vector<FlightEvent> events =
        FindEvents(record, SpanIndex(settings->doc.Current()), ReadEventLimits(settings->ini));
    if (parsed.Has("--csv")) {
        io.out << EventsCsv(events);
        return kExitOk;
    }
    if (events.empty()) {
        io.out << kNoEvents << '\n';
        return kExitOk;
    }
    io.out << "  time (s)  duration (s)  kind              value  text\n";
    for (const FlightEvent& e : events) {
        const std::string time = PointNumber(e.time, 2);
        const std::string duration = PointNumber(e.duration, 2);
        const std::string kind = EventKindName(e.kind);
        const std::string value = PointNumber(e.value, 2);
        io.out << std::string(10 - std::min<std::size_t>(10, time.size()), ' ') << time
               << std::string(14 - std::min<std::size_t>(14, duration.size()), ' ') << duration
               << "  " << kind << std::string(14 - std::min<std::size_t>(14, kind.size()), ' ')
               << std::string(9 - std::min<std::size_t>(9, value.size()), ' ') << value << "  "
               << EscapeControls(e.message.Text()) << '\n';
    }
    return kExitOk;
}

const Command kEventsCommand{"events",
                             "list the events found in a record file (low cells, heat, ...)",
                             kUsage,
                             {{"--config"}, {"--csv", false}},
                             1,
                             1,
                             "which record file?",
                             RunEvents};

}  // namespace tavix::cli
