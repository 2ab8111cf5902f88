// tavix-cli esc: the "2.Parameter Setting" page without a window. Reads the
// ESC's parameter block as the page does on show, and writes it as "Update"
// does, then reads it back to prove it took.
#include <QString>
#include <ostream>

#include "Commands.h"
#include "DeviceSession.h"
#include "base/FormatText.h"
#include "base/RegularFile.h"
#include "esc/EscMessages.h"
#include "esc/EscParamSession.h"
#include "esc/EscParamText.h"
#include "link/CMSComm.h"
#include "link/PortName.h"
#include "platform/GbkText.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli esc read  [--port PORT] [--config FILE]\n"
    "       tavix-cli esc write [--port PORT] [--config FILE] [--from FILE] \"NAME=VALUE\"...\n"
    "\n"
    "read:  identifies the ESC, reads its parameter block as the \"2.Parameter\n"
    "       Setting\" page does and prints the firmware version and every\n"
    "       parameter as \"Name: value\" in page order. The output is a parameter\n"
    "       file that 'esc write --from' and the page's \"Load from File...\" take.\n"
    "write: reads the block, sets the parameters named (NAME is the label without\n"
    "       its colon, VALUE an entry's text or its index; --from takes them from\n"
    "       a parameter file first), writes the block as \"Update\" does, reads it\n"
    "       back and reports every byte that did not take. Unknown names and\n"
    "       values are refused before anything is written.\n"
    "\n"
    "  --port PORT    a device path, COMn, or demo (the built-in simulated device);\n"
    "                 default: the port stored in config.ini\n"
    "  --config FILE  the settings file (default: ./config.ini)\n"
    "  --from FILE    a parameter file (write only)\n";

constexpr const char* kMsgNoSeries = "The device is no ESC of a known series.";
constexpr const char* kMsgNoEnd = "The ESC did not answer in time.";
constexpr const char* kMsgNotTaken = "Offset %d (%s): wrote %d, the ESC holds %d.";
constexpr const char* kMsgSomeNotTaken = "%d byte(s) did not take.";
constexpr const char* kMsgCantReadFile = "Can't read %s!";

// Longest a read or a write may take: its own time-out is 3.1 s.
constexpr int kExchangeLimitMs = 10000;

// What a block offset holds, for the report of a byte that did not take.
std::string OffsetName(const EscSeriesTable& table, std::size_t offset) {
    for (const EscList& list : table.lists) {
        if (list.offset == offset) {
            return ListName(list);
        }
    }
    if (offset >= kBlockVersionOffset && offset < kBlockVersionOffset + kBlockVersionSize) {
        return kParamFileVersion;
    }
    if (table.temperatureOffset && offset == *table.temperatureOffset) {
        return FieldName(table, EscField::TemperatureOffset);
    }
    if (table.calibrationOffset && offset >= *table.calibrationOffset &&
        offset < *table.calibrationOffset + 6) {
        return "throttle calibration";
    }
    return "kept as read";
}

// The page of the identified series on its own serial control.
class EscJob {
public:
    EscJob(DeviceSession& device, Settings& settings, StreamPrompt& prompt,
           const std::string& portOption, const EscSeriesTable& table)
        : device_(device),
          comm_(MakeSerialBackend(portOption)),
          session_(table, comm_, timers_, prompt, [portOption, &settings] {
              return ResolvePort(portOption, settings.config.comPort, settings.ini);
          }) {
        session_.SetVisible(true);
    }

    EscParamSession& Session() { return session_; }

    // The page shown: opens the port and reads. True when the block came.
    bool Read() {
        if (session_.State().resetFlag) {
            session_.OnShow(true);
        } else {
            session_.OnConnect();
        }
        Wait([this] { return session_.State().phase != EscPhase::Reading; });
        return session_.State().phase == EscPhase::Linked;
    }
    // "Update", answered Yes. True when the ESC acknowledged the write.
    bool Write() {
        session_.OnUpdate();
        Wait([this] { return session_.State().phase != EscPhase::Writing; });
        return session_.State().phase == EscPhase::Linked;
    }

private:
    void Wait(const std::function<bool()>& done) { device_.RunUntil(done, kExchangeLimitMs); }

    DeviceSession& device_;
    QtTimerHost timers_;
    CMSComm comm_;
    EscParamSession session_;
};

void PrintPage(const Io& io, const EscSeriesTable& table, const EscParamState& state) {
    io.out << Printable(ParamFileText(table, state));
}

// NAME=VALUE arguments (GBK, as the entries are) checked against the series.
bool CheckArguments(const Io& io, const EscSeriesTable& table,
                    const std::vector<std::string>& arguments, std::vector<EscSetting>& settings) {
    for (const std::string& argument : arguments) {
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos) {
            io.err << "tavix-cli esc: \"" << argument << "\" is not NAME=VALUE\n";
            return false;
        }
        const std::string name = ToGbk(QString::fromLocal8Bit(argument.substr(0, equals)));
        const std::string value = ToGbk(QString::fromLocal8Bit(argument.substr(equals + 1)));
        EscSetting setting;
        const std::string refusal = CheckSetting(table, name, value, setting);
        if (!refusal.empty()) {
            io.err << Printable(refusal) << '\n';
            return false;
        }
        settings.push_back(setting);
    }
    return true;
}

bool ReadFileText(const std::string& path, std::string& text, std::string& reason) {
    std::string raw;
    if (!ReadRegularFile(path, kLargestParamFile, raw, &reason)) {
        return false;
    }
    // Parameter files are UTF-8 text; the program's texts are GBK.
    text = ToGbk(QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size())));
    return true;
}

}  // namespace

int RunEsc(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    const std::string action = parsed.positional.front();
    const std::vector<std::string> assignments(parsed.positional.begin() + 1,
                                               parsed.positional.end());
    const bool write = action == "write";
    if (!write && action != "read") {
        return call.UsageError("unknown action " + action);
    }
    if (!write && (!assignments.empty() || parsed.Has("--from"))) {
        return call.UsageError("read takes no parameters");
    }
    if (write && assignments.empty() && !parsed.Has("--from")) {
        return call.UsageError("write needs NAME=VALUE or --from FILE");
    }
    for (const std::string& a : assignments) {
        if (a.find('=') == std::string::npos) {
            return call.UsageError("\"" + a + "\" is not NAME=VALUE");
        }
    }
    std::string fileText;
    const std::string from = parsed.Get("--from");
    std::string reason;
    if (!from.empty() && !ReadFileText(from, fileText, reason)) {
        io.err << FormatText(kMsgCantReadFile, from.c_str()) << '\n'
               << from << ": " << reason << '\n';
        return kExitRefused;
    }

    StreamPrompt prompt(io);
    const auto settings = call.LoadSettings(prompt);
    if (!settings) {
        return kExitRefused;
    }
    const std::string port = parsed.Get("--port");
    DeviceSession device(*settings, prompt, port);
    if (!device.Identify()) {
        return kExitRefused;
    }
    const EscSeriesTable* table = SeriesTable(device.Identity().State().series);
    if (table == nullptr) {
        io.err << kMsgNoSeries << '\n';
        return kExitRefused;
    }

    // Everything the user asked for is checked before the ESC is touched.
    std::vector<EscSetting> changes;
    if (!from.empty()) {
        std::string error;
        changes = ParseParamFile(*table, fileText, from, error);
        if (!error.empty()) {
            io.err << Printable(error) << '\n';
            return kExitRefused;
        }
    }
    if (!CheckArguments(io, *table, assignments, changes)) {
        return kExitRefused;
    }

    EscJob job(device, *settings, prompt, port, *table);
    EscParamSession& session = job.Session();
    if (!job.Read()) {
        if (prompt.failures == 0) {
            io.err << kMsgNoEnd << '\n';
        }
        return kExitRefused;
    }
    if (!write) {
        PrintPage(io, *table, session.State());
        return kExitOk;
    }

    for (const EscSetting& change : changes) {
        ApplySetting(session, change);
    }
    if (!job.Write()) {
        if (prompt.failures == 0) {
            io.err << kMsgNoEnd << '\n';
        }
        return kExitRefused;
    }
    const Bytes written = session.LastWrite();
    if (!job.Read()) {
        return kExitRefused;
    }
    PrintPage(io, *table, session.State());
    const Bytes& holds = session.LastRead();
    int notTaken = 0;
    for (std::size_t offset : CarriedOffsets(*table)) {
        if (written[offset] != holds[offset]) {
            ++notTaken;
            io.err << FormatText(kMsgNotTaken, static_cast<int>(offset),
                                 OffsetName(*table, offset).c_str(),
                                 static_cast<int>(written[offset]), static_cast<int>(holds[offset]))
                   << '\n';
        }
    }
    if (notTaken > 0) {
        io.err << FormatText(kMsgSomeNotTaken, notTaken) << '\n';
        return kExitRefused;
    }
    return kExitOk;
}

const Command kEscCommand{"esc",
                          "read or write the ESC's parameters (read | write NAME=VALUE...)",
                          kUsage,
                          {{"--port"}, {"--config"}, {"--from"}},
                          1,
                          static_cast<std::size_t>(-1),
                          "say read or write",
                          RunEsc};

}  // namespace tavix::cli
