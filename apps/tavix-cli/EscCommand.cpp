// tavix-cli esc: the "2.Parameter Setting" page without a window. Reads the
// ESC's parameter block as the page does on show, and writes it as "Update"
// does, then reads it back to prove it took.
#include <ostream>

#include "Commands.h"
#include "EscJob.h"
#include "base/FormatText.h"
#include "base/PathText.h"
#include "base/PlainText.h"
#include "esc/EscHistory.h"
#include "esc/EscMessages.h"
#include "esc/EscParamText.h"
#include "platform/UserEscHistory.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli esc read  [--port PORT] [--config FILE] [--explain]\n"
    "       tavix-cli esc write [--port PORT] [--config FILE] [--from FILE] [--dry-run]\n"
    "                           \"NAME=VALUE\"...\n"
    "       tavix-cli esc history\n"
    "       tavix-cli esc diff A B [--port PORT] [--config FILE]\n"
    "       tavix-cli esc restore SNAPSHOT [--port PORT] [--config FILE]\n"
    "       tavix-cli esc preset list\n"
    "       tavix-cli esc preset save NAME [--replace] [--port PORT] [--config FILE]\n"
    "       tavix-cli esc preset apply NAME [--dry-run] [--port PORT] [--config FILE]\n"
    "       tavix-cli esc preset delete NAME\n"
    "       tavix-cli esc preset export NAME FILE\n"
    "       tavix-cli esc preset import FILE [NAME] [--replace]\n"
    "       tavix-cli esc batch --preset NAME|--from FILE --count N [--report FILE.csv]\n"
    "                           [--port PORT] [--config FILE]\n"
    "\n"
    "read:  identifies the ESC, reads its parameter block as the \"2.Parameter\n"
    "       Setting\" page does and prints the firmware version and every\n"
    "       parameter as \"Name: value\" in page order. The output is a parameter\n"
    "       file that 'esc write --from' and the page's \"Load from File...\" take.\n"
    "       With --explain each line ends with what the parameter does and its\n"
    "       unit, as a comment (\"  # ...\") that the file's readers pass over.\n"
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
    "preset: parameter files kept under a name in $XDG_DATA_HOME/Tavix/esc-presets\n"
    "       (~/.local/share/...), shared with the page's \"Presets\" menu. list\n"
    "       prints each preset's name and series, tab-separated; save reads the\n"
    "       ESC and keeps its parameters; apply writes a preset as 'write --from'\n"
    "       writes a file (a preset of another series is refused); export writes\n"
    "       a preset to FILE to share; import takes a parameter file as a preset\n"
    "       (named after the file unless NAME is given). A preset is replaced\n"
    "       only with --replace.\n"
    "batch: writes the preset (or file) into ESC after ESC on the same adapter:\n"
    "       waits for an ESC to answer (asking every half second), refuses one of\n"
    "       another series without writing, writes and reads back, then waits\n"
    "       until that ESC is unplugged before the next. Ends after N ESCs were\n"
    "       written and read back (exit 0); a line per ESC met on stdout, and with\n"
    "       --report a CSV: esc,version,series,result,not_taken.\n"
    "\n"
    "  --port PORT    a device path, COMn, or demo (the built-in simulated device);\n"
    "                 default: the port stored in config.ini\n"
    "  --from FILE    a parameter file (write only)\n"
    "  --dry-run      print what a write (or preset apply) would change, and send\n"
    "                 nothing\n"
    "  --replace      let preset save or import replace a preset of that name\n"
    "  --explain      print what each parameter does beside its value (read only)\n"
    "  --preset NAME  batch: the preset to write\n"
    "  --count N      batch: how many ESCs to write\n"
    "  --report FILE  batch: the CSV report to write\n";

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
    std::vector<EscNamedValue> named = {{kParamFileSeries, table.name, ""},
                                        {kParamFileVersion, UpToZero(values.version), ""}};
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
    const std::vector<MessageParts> changes = RestoreChanges(session, snapshot->block, refusal);
    if (!refusal.empty()) {
        call.io.err << Printable(refusal) << '\n';
        return kExitRefused;
    }
    if (changes.empty()) {
        call.io.out << kMsgEscNothingToRestore << '\n';
        return kExitOk;
    }
    // What the restore changes, before it is written.
    for (const MessageParts& change : changes) {
        call.io.out << Printable(change.Text()) << '\n';
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
    if (action == "batch") {
        return RunEscBatch(call);
    }
    if (parsed.Has("--preset") || parsed.Has("--count") || parsed.Has("--report")) {
        return call.UsageError("--preset, --count and --report are for batch");
    }
    if (action == "history" || action == "diff" || action == "restore") {
        const std::size_t wanted = action == "history" ? 0 : action == "diff" ? 2 : 1;
        if (assignments.size() != wanted || parsed.Has("--from") || parsed.Has("--dry-run") ||
            parsed.Has("--replace") || parsed.Has("--explain")) {
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
    if (action == "preset") {
        return RunEscPreset(call);
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
    if (parsed.Has("--replace")) {
        return call.UsageError("--replace is for preset save and import");
    }
    if (write && parsed.Has("--explain")) {
        return call.UsageError("--explain is for read");
    }
    EscWriteRequest request;
    request.write = write;
    request.assignments = assignments;
    request.dryRun = parsed.Has("--dry-run");
    request.explain = parsed.Has("--explain");
    request.textName = parsed.Get("--from");
    std::string reason;
    if (!request.textName.empty() && !ReadFileText(request.textName, request.text, reason)) {
        const std::string shown = PrintableField(PathText(request.textName));
        io.err << FormatText(kMsgCantReadFile, shown.c_str()) << '\n'
               << shown << ": " << reason << '\n';
        return kExitRefused;
    }
    return RunEscWrite(call, request);
}

const Command kEscCommand{
    "esc",
    "read, write, compare or restore the ESC's parameters "
    "(read | write NAME=VALUE... | history | diff A B | restore SNAPSHOT | preset ... | "
    "batch)",
    kUsage,
    {{"--port"},
     {"--config"},
     {"--from"},
     {"--dry-run", false},
     {"--replace", false},
     {"--explain", false},
     {"--preset"},
     {"--count"},
     {"--report"}},
    1,
    static_cast<std::size_t>(-1),
    "say read, write, history, diff, restore, preset or batch",
    RunEsc};

}  // namespace tavix::cli
