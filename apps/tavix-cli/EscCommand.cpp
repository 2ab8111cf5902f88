// tavix-cli esc: the "2.Parameter Setting" page without a window. Reads the
// ESC's parameter block as the page does on show, and writes it as "Update"
// does, then reads it back to prove it took.
#include <QString>
#include <ostream>

#include "Commands.h"
#include "DeviceSession.h"
#include "base/FormatText.h"
#include "base/PathText.h"
#include "base/PlainText.h"
#include "base/RegularFile.h"
#include "esc/EscHistory.h"
#include "esc/EscMessages.h"
#include "esc/EscPageEdits.h"
#include "esc/EscParamSession.h"
#include "esc/EscParamText.h"
#include "link/CMSComm.h"
#include "link/PortName.h"
#include "platform/GbkText.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"
#include "platform/UserEscHistory.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli esc read  [--port PORT] [--config FILE]\n"
    "       tavix-cli esc write [--port PORT] [--config FILE] [--from FILE] [--dry-run]\n"
    "                           \"NAME=VALUE\"...\n"
    "       tavix-cli esc history\n"
    "       tavix-cli esc diff A B [--port PORT] [--config FILE]\n"
    "       tavix-cli esc restore SNAPSHOT [--port PORT] [--config FILE]\n"
    "\n"
    "read:  identifies the ESC, reads its parameter block as the \"2.Parameter\n"
    "       Setting\" page does and prints the firmware version and every\n"
    "       parameter as \"Name: value\" in page order. The output is a parameter\n"
    "       file that 'esc write --from' and the page's \"Load from File...\" take.\n"
    "write: reads the block, sets the parameters named (NAME is the label without\n"
    "       its colon, VALUE an entry's text or its index; --from takes them from\n"
    "       a parameter file first), writes the block as \"Update\" does, reads it\n"
    "       back and reports every byte that did not take. Unknown names and\n"
    "       values are refused before anything is written. With --dry-run it\n"
    "       prints what the write would change (\"PWM Rate: 8 KHz -> 16 KHz\")\n"
    "       and sends nothing.\n"
    "history: every snapshot of ESC parameters kept (each read and write, before\n"
    "       an upgrade, each restore), newest first: the snapshot file's path,\n"
    "       then date, reason, series and firmware version, tab-separated. They\n"
    "       are kept in $XDG_DATA_HOME/Tavix/esc-history (~/.local/share/...).\n"
    "diff:  the parameters of A and B side by side, '*' marking those that\n"
    "       differ. A and B are snapshot files, parameter files, or 'device'\n"
    "       (the ESC's block, read now).\n"
    "restore: prints what it changes (\"Drag Brake: 40% -> 10%\"), then puts back\n"
    "       every byte the snapshot holds for the parameters, the kept bytes,\n"
    "       the temperature offset and the calibration, exactly as they were,\n"
    "       writing as \"Update\" does; reads back and reports every byte that\n"
    "       did not take (exit 1). A snapshot of another series or firmware\n"
    "       version is refused.\n"
    "\n"
    "  --port PORT    a device path, COMn, or demo (the built-in simulated device);\n"
    "                 default: the port stored in config.ini\n"
    "  --from FILE    a parameter file (write only)\n"
    "  --dry-run      print what a write would change, and send nothing\n";

constexpr const char* kMsgNoSeries = "The device is no ESC of a known series.";
constexpr const char* kMsgNoEnd = "The ESC did not answer in time.";
constexpr const char* kMsgNotTaken = "Offset %d (%s): wrote %d, the ESC holds %d.";
constexpr const char* kMsgSomeNotTaken = "%d byte(s) did not take.";
constexpr const char* kMsgCantReadFile = "Can't read %s!";

// Longest a read or a write may take: its own time-out is 3.1 s.
constexpr int kExchangeLimitMs = 10000;

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
        session_.SetHistory(&UserEscHistory());
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
    // "Update", answered Yes, and the read-back after it. True when the ESC
    // acknowledged the write and the read-back came.
    bool Write() {
        session_.OnUpdate();
        return WaitForWrite();
    }
    // History's "Restore" of `snapshot`, and the read-back after it.
    bool Restore(const Bytes& snapshot) {
        RestoreSnapshot(session_, snapshot);
        return WaitForWrite();
    }

private:
    void Wait(const std::function<bool()>& done) { device_.RunUntil(done, kExchangeLimitMs); }
    bool WaitForWrite() {
        Wait([this] { return session_.State().phase != EscPhase::Writing; });
        // Linked without a write sent: another ESC was found on the port.
        return session_.State().phase == EscPhase::Linked && !session_.LastWrite().empty();
    }

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

// Prints a line for every carried byte the read-back after a write found
// other than written; true when all took.
bool ReportNotTaken(const Io& io, const EscSeriesTable& table, const EscParamSession& session) {
    const Bytes& written = session.LastWrite();
    const Bytes& holds = session.LastRead();
    const std::vector<std::size_t> offsets = session.NotTakenOffsets();
    for (std::size_t offset : offsets) {
        io.err << FormatText(kMsgNotTaken, static_cast<int>(offset),
                             OffsetName(table, offset).c_str(), static_cast<int>(written[offset]),
                             static_cast<int>(holds[offset]))
               << '\n';
    }
    if (!offsets.empty()) {
        io.err << FormatText(kMsgSomeNotTaken, static_cast<int>(offsets.size())) << '\n';
    }
    return offsets.empty();
}

// The identified ESC with its page read, for the actions that need the device.
class ConnectedEsc {
public:
    explicit ConnectedEsc(const Invocation& call) : call_(call), prompt_(call.io) {}

    // Identifies the device and reads its block; false (the reason printed) when not.
    bool Open() {
        settings_ = call_.LoadSettings(prompt_);
        if (!settings_) {
            return false;
        }
        const std::string port = call_.args.Get("--port");
        device_ = std::make_unique<DeviceSession>(*settings_, prompt_, port);
        if (!device_->Identify()) {
            return false;
        }
        table_ = SeriesTable(device_->Identity().State().series);
        if (table_ == nullptr) {
            call_.io.err << kMsgNoSeries << '\n';
            return false;
        }
        job_ = std::make_unique<EscJob>(*device_, *settings_, prompt_, port, *table_);
        if (!job_->Read()) {
            if (prompt_.failures == 0) {
                call_.io.err << kMsgNoEnd << '\n';
            }
            return false;
        }
        return true;
    }
    const EscSeriesTable& Table() const { return *table_; }
    EscJob& Job() { return *job_; }
    StreamPrompt& Prompt() { return prompt_; }

private:
    const Invocation& call_;
    StreamPrompt prompt_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<DeviceSession> device_;
    const EscSeriesTable* table_ = nullptr;
    std::unique_ptr<EscJob> job_;
};

int RunHistory(const Invocation& call) {
    const std::vector<EscSnapshot> snapshots = UserEscHistory().List();
    for (const EscSnapshot& s : snapshots) {
        // The time and reason lines are the file's: anything may stand there.
        call.io.out << PrintableField(PathText(s.path)) << '\t' << PrintableField(s.time) << '\t'
                    << PrintableField(s.reason) << '\t' << s.series << '\t'
                    << PrintableField(s.version) << '\n';
    }
    if (snapshots.empty()) {
        call.io.err << "No snapshots in " << Printable(PathText(UserEscHistory().Folder())) << '\n';
    }
    return kExitOk;
}

// The named values of a snapshot's or the ESC's block, series and version first.
std::vector<EscNamedValue> NamedBlock(const EscSeriesTable& table, const Bytes& block) {
    const EscBlockValues values = DecodeParamBlock(table, block);
    std::vector<EscNamedValue> named = {{kParamFileSeries, table.name, "", false},
                                        {kParamFileVersion, UpToZero(values.version), "", false}};
    for (EscNamedValue& v : BlockValues(table, block)) {
        named.push_back(std::move(v));
    }
    return named;
}

// One side of a diff: "device", a snapshot file or a parameter file.
bool DiffSide(const Invocation& call, const std::string& what, std::unique_ptr<ConnectedEsc>& esc,
              std::vector<EscNamedValue>& values) {
    if (what == "device") {
        if (!esc) {
            esc = std::make_unique<ConnectedEsc>(call);
            if (!esc->Open()) {
                esc.reset();
                return false;
            }
        }
        values = NamedBlock(esc->Table(), esc->Job().Session().LastRead());
        return true;
    }
    std::string error;
    if (auto snapshot = ReadSnapshot(what, error)) {
        if (const EscSeriesTable* table = SeriesTable(SeriesOf(snapshot->version))) {
            values = NamedBlock(*table, snapshot->block);
            return true;
        }
    }
    std::string text;
    std::string reason;
    if (!ReadFileText(what, text, reason)) {
        call.io.err << Printable(FormatText(kMsgCantReadFile, what.c_str())) << '\n'
                    << Printable(what) << ": " << reason << '\n';
        return false;
    }
    values = ParamFileValues(text);
    if (values.empty()) {
        call.io.err << Printable(FormatText(kMsgNotParamFile, what.c_str())) << '\n';
        return false;
    }
    return true;
}

int RunDiff(const Invocation& call, const std::string& a, const std::string& b) {
    std::unique_ptr<ConnectedEsc> esc;
    std::vector<EscNamedValue> left;
    std::vector<EscNamedValue> right;
    if (!DiffSide(call, a, esc, left) || !DiffSide(call, b, esc, right)) {
        return kExitRefused;
    }
    int differ = 0;
    for (const EscDiffLine& line : DiffParams(left, right)) {
        if (line.differs) {
            ++differ;
            call.io.out << "* " << Printable(line.name) << ": " << Printable(line.a) << " | "
                        << Printable(line.b) << '\n';
        } else {
            call.io.out << "  " << Printable(line.name) << ": " << Printable(line.a) << '\n';
        }
    }
    call.io.out << differ << " parameter(s) differ.\n";
    return kExitOk;
}

int RunRestore(const Invocation& call, const std::string& path) {
    std::string error;
    const auto snapshot = ReadSnapshot(path, error);
    if (!snapshot) {
        call.io.err << Printable(path) << ": " << error << '\n';
        return kExitRefused;
    }
    ConnectedEsc esc(call);
    if (!esc.Open()) {
        return kExitRefused;
    }
    EscParamSession& session = esc.Job().Session();
    std::string refusal;
    const std::vector<std::string> changes = RestoreChanges(session, snapshot->block, refusal);
    if (!refusal.empty()) {
        call.io.err << Printable(refusal) << '\n';
        return kExitRefused;
    }
    if (changes.empty()) {
        call.io.out << kMsgEscNothingToRestore << '\n';
        return kExitOk;
    }
    // What the restore changes, before it is written.
    for (const std::string& change : changes) {
        call.io.out << Printable(change) << '\n';
    }
    if (!esc.Job().Restore(snapshot->block)) {
        if (esc.Prompt().failures == 0) {
            call.io.err << kMsgNoEnd << '\n';
        }
        return kExitRefused;
    }
    PrintPage(call.io, esc.Table(), session.State());
    return ReportNotTaken(call.io, esc.Table(), session) ? kExitOk : kExitRefused;
}

}  // namespace

int RunEsc(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    const std::string action = parsed.positional.front();
    const std::vector<std::string> assignments(parsed.positional.begin() + 1,
                                               parsed.positional.end());
    if (action == "history" || action == "diff" || action == "restore") {
        const std::size_t wanted = action == "history" ? 0 : action == "diff" ? 2 : 1;
        if (assignments.size() != wanted || parsed.Has("--from") || parsed.Has("--dry-run")) {
            return call.UsageError(action + (action == "history" ? " takes no arguments"
                                             : action == "diff"  ? " needs A and B"
                                                                 : " needs one SNAPSHOT file"));
        }
        if (action == "history") {
            return RunHistory(call);
        }
        return action == "diff" ? RunDiff(call, assignments[0], assignments[1])
                                : RunRestore(call, assignments[0]);
    }
    const bool write = action == "write";
    if (!write && action != "read") {
        return call.UsageError("unknown action " + action);
    }
    if (!write && (!assignments.empty() || parsed.Has("--from") || parsed.Has("--dry-run"))) {
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
        const std::string shown = PrintableField(PathText(from));
        io.err << FormatText(kMsgCantReadFile, shown.c_str()) << '\n'
               << shown << ": " << reason << '\n';
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
    if (parsed.Has("--dry-run")) {
        std::string refusal;
        if (session.BuildWriteBlock(refusal).empty()) {
            io.err << Printable(refusal) << '\n';
            return kExitRefused;
        }
        const std::vector<std::string> lines = session.UpdateChanges();
        if (lines.empty()) {
            io.out << kTextNothingChanges << '\n';
        }
        for (const std::string& line : lines) {
            io.out << Printable(line) << '\n';
        }
        return kExitOk;
    }
    if (!job.Write()) {
        if (prompt.failures == 0) {
            io.err << kMsgNoEnd << '\n';
        }
        return kExitRefused;
    }
    PrintPage(io, *table, session.State());
    return ReportNotTaken(io, *table, session) ? kExitOk : kExitRefused;
}

const Command kEscCommand{"esc",
                          "read, write, compare or restore the ESC's parameters "
                          "(read | write NAME=VALUE... | history | diff A B | restore SNAPSHOT)",
                          kUsage,
                          {{"--port"}, {"--config"}, {"--from"}, {"--dry-run", false}},
                          1,
                          static_cast<std::size_t>(-1),
                          "say read, write, history, diff or restore",
                          RunEsc};

}  // namespace tavix::cli
