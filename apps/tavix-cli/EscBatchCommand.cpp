// tavix-cli esc batch: the same settings into ESC after ESC on one adapter,
// as the page's "Batch..." dialog does: EscBatch decides, EscBatchWire asks
// and writes on the port, with the read-back and history of every write.
#include <QString>
#include <algorithm>
#include <ostream>
#include <sstream>

#include "EscJob.h"
#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "base/PathText.h"
#include "esc/EscBatch.h"
#include "esc/EscBatchWire.h"
#include "esc/EscMessages.h"
#include "esc/EscParamBlock.h"
#include "esc/EscPresetStore.h"
#include "link/PortName.h"
#include "platform/UserEscPresets.h"

namespace tavix::cli {

namespace {

constexpr const char* kMsgBatchRow = "ESC %d: %s %s %s";
// Longest the batch may run: an hour of plugging ESCs in.
constexpr int kBatchLimitMs = 60 * 60 * 1000;

}  // namespace

int RunEscBatch(const Invocation& call) {
    const Io& io = call.io;
    const ParsedArgs& args = call.args;
    if (args.positional.size() != 1 || args.Has("--preset") == args.Has("--from") ||
        !args.Has("--count")) {
        return call.UsageError("batch needs --preset NAME or --from FILE, and --count N");
    }
    if (args.Has("--dry-run") || args.Has("--replace") || args.Has("--explain")) {
        return call.UsageError("batch takes no --dry-run, --replace or --explain");
    }
    const std::string countText = args.Get("--count");
    if (countText.size() > 4 ||
        !std::all_of(countText.begin(), countText.end(),
                     [](char c) { return c >= '0' && c <= '9'; }) ||
        std::stoi(countText) < 1) {
        return call.UsageError("--count takes a number of ESCs, 1 or more");
    }
    const int count = std::stoi(countText);

    // The settings and their series, checked before any ESC is asked.
    std::string text;
    std::string source;
    if (args.Has("--preset")) {
        source = PathText(args.Get("--preset"));
        if (std::string refusal = UserEscPresets().Read(args.Get("--preset"), text);
            !refusal.empty()) {
            io.err << Printable(refusal) << '\n';
            return kExitRefused;
        }
    } else {
        source = PathText(args.Get("--from"));
        std::string reason;
        if (!ReadFileText(args.Get("--from"), text, reason)) {
            io.err << FormatText(kMsgCantReadFile, PrintableField(source).c_str()) << '\n'
                   << PrintableField(source) << ": " << reason << '\n';
            return kExitRefused;
        }
    }
    const EscSeriesTable* table = SeriesTableNamed(ParamFileSeries(text));
    if (table == nullptr) {
        io.err << Printable(FormatText(kMsgNotParamFile, source.c_str())) << '\n';
        return kExitRefused;
    }
    std::string error;
    std::vector<EscSetting> changes = ParseParamFile(*table, text, source, error);
    if (!error.empty()) {
        io.err << Printable(error) << '\n';
        return kExitRefused;
    }

    StreamPrompt prompt(io);
    const auto settings = call.LoadSettings(prompt);
    if (!settings) {
        return kExitRefused;
    }
    // The window's link (EscBatchWire) on this run's port: the same reads,
    // writes, read-backs and history as the "Batch..." dialog.
    const std::string port = args.Get("--port");
    CMSComm comm(MakeSerialBackend(port));
    QtTimerHost wireTimers;
    QtTimerHost batchTimers;
    Settings& config = *settings;
    EscBatchWire wire(
        *table, std::move(changes), comm, wireTimers,
        [port, &config] { return ResolvePort(port, config.config.comPort, config.ini); },
        &UserEscHistory());
    EscBatch batch(*table, count, wire, batchTimers);
    wire.SetBatch(batch);
    batchTimers.SetHandler([&batch](int id) { batch.OnTimer(id); });
    std::string shown;
    std::size_t rowsShown = 0;
    batch.changed = [&] {
        for (; rowsShown < batch.Rows().size() && !batch.Rows()[rowsShown].result.empty();
             ++rowsShown) {
            const EscBatchRow& row = batch.Rows()[rowsShown];
            std::string notTaken;
            for (const std::string& name : row.notTaken) {
                notTaken += (notTaken.empty() ? "(not taken: " : ", ") + name;
            }
            io.out << Printable(FormatText(kMsgBatchRow, row.esc,
                                           PrintableField(row.version).c_str(), row.series.c_str(),
                                           row.result.c_str()))
                   << (notTaken.empty() ? "" : " " + Printable(notTaken) + ")") << '\n';
        }
        if (batch.Line() != shown) {
            shown = batch.Line();
            io.err << Printable(shown) << '\n';
        }
    };
    batch.Start();
    DeviceSession::RunUntil([&batch] { return batch.Finished(); }, kBatchLimitMs);
    batch.Stop();
    wire.Close();

    if (args.Has("--report")) {
        std::string reason;
        if (!WriteFileAtomically(args.Get("--report"), batch.ReportCsv(), &reason)) {
            io.err << Printable(FormatText(kMsgCantWriteBatchReport,
                                           PathText(args.Get("--report")).c_str(), reason.c_str()))
                   << '\n';
            return kExitRefused;
        }
    }
    return batch.Succeeded() ? kExitOk : kExitRefused;
}

}  // namespace tavix::cli
