// tavix-cli esc batch: the same settings into ESC after ESC on one adapter.
// The batch (EscBatch) decides; this file plays its link on the port: a quiet
// identification for each question, and for each ESC of the series the write
// of "esc write --from" with its read-back and history.
#include <QString>
#include <algorithm>
#include <ostream>
#include <sstream>

#include "EscJob.h"
#include "base/AtomicFile.h"
#include "base/FormatText.h"
#include "base/PathText.h"
#include "esc/EscBatch.h"
#include "esc/EscParamBlock.h"
#include "esc/EscPresetStore.h"
#include "platform/UserEscPresets.h"

namespace tavix::cli {

namespace {

constexpr const char* kMsgBatchRow = "ESC %d: %s %s %s";
constexpr const char* kMsgCantWriteReport = "Can't write the report %s (%s)!";
// Longest the batch may run: an hour of plugging ESCs in.
constexpr int kBatchLimitMs = 60 * 60 * 1000;

class CliBatchLink : public EscBatchLink {
public:
    CliBatchLink(const Invocation& call, Settings& settings, const EscSeriesTable& table,
                 std::vector<EscSetting> changes)
        : call_(call),
          settings_(settings),
          table_(table),
          changes_(std::move(changes)),
          quietIo_{quiet_, quiet_, false},
          quietPrompt_(quietIo_),
          device_(settings, quietPrompt_, call.args.Get("--port")) {}

    void SetBatch(EscBatch& batch) { batch_ = &batch; }
    QtTimerHost& Timers() { return timers_; }

    // Answered from a posted task, never from inside the batch's own call.
    void Identify() override {
        timers_.Post([this] {
            if (device_.Identify()) {
                batch_->OnIdentified(device_.Identity().State().version);
            } else if (!device_.Identity().ReceivedBlock().empty()) {
                batch_->OnIdentified(device_.Identity().ReceivedVersion());
            } else {
                batch_->OnNoAnswer();
            }
        });
    }
    void Write() override {
        timers_.Post([this] {
            StreamPrompt prompt(quietIo_);
            const std::string port = call_.args.Get("--port");
            EscJob job(device_, settings_, prompt, port, table_);
            if (!job.Read()) {
                batch_->OnWriteFailed("no answer to the read");
                return;
            }
            for (const EscSetting& change : changes_) {
                ApplySetting(job.Session(), change);
            }
            if (!job.Write()) {
                batch_->OnWriteFailed("no answer to the write");
                return;
            }
            std::vector<std::string> names;
            for (std::size_t offset : job.Session().NotTakenOffsets()) {
                const std::string name = OffsetName(table_, offset);
                if (std::find(names.begin(), names.end(), name) == names.end()) {
                    names.push_back(name);
                }
            }
            batch_->OnWritten(names);
        });
    }

private:
    const Invocation& call_;
    Settings& settings_;
    const EscSeriesTable& table_;
    std::vector<EscSetting> changes_;
    std::ostringstream quiet_;
    Io quietIo_;
    StreamPrompt quietPrompt_;
    QtTimerHost timers_;
    DeviceSession device_;
    EscBatch* batch_ = nullptr;
};

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
    CliBatchLink link(call, *settings, *table, std::move(changes));
    EscBatch batch(*table, count, link, link.Timers());
    link.SetBatch(batch);
    link.Timers().SetHandler([&batch](int id) { batch.OnTimer(id); });
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

    if (args.Has("--report")) {
        std::string reason;
        if (!WriteFileAtomically(args.Get("--report"), batch.ReportCsv(), &reason)) {
            io.err << Printable(FormatText(kMsgCantWriteReport,
                                           PathText(args.Get("--report")).c_str(), reason.c_str()))
                   << '\n';
            return kExitRefused;
        }
    }
    return batch.Succeeded() ? kExitOk : kExitRefused;
}

}  // namespace tavix::cli
