#include "esc/EscBatch.h"

#include "base/FormatText.h"
#include "base/PlainText.h"
#include "base/Translate.h"
#include "device/DeviceVersion.h"
#include "shell/TimerHost.h"

namespace tavix {

namespace {

// A CSV field: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

}  // namespace

EscBatch::EscBatch(const EscSeriesTable& table, int count, EscBatchLink& link, TimerHost& timers)
    : table_(table), count_(count), link_(link), timers_(timers) {}

void EscBatch::Enter(EscBatchPhase phase, std::string line) {
    phase_ = phase;
    line_ = std::move(line);
    if (changed) {
        changed();
    }
}

void EscBatch::Finish(EscBatchPhase phase) {
    timers_.StopTimer(kBatchPollTimer);
    Enter(phase,
          FormatShown(phase == EscBatchPhase::Done ? kBatchDone : kBatchStopped, written_, count_));
}

void EscBatch::Start() {
    rows_.clear();
    written_ = 0;
    stopAsked_ = false;
    asking_ = false;
    if (count_ <= 0) {
        Finish(EscBatchPhase::Done);
        return;
    }
    timers_.StartTimer(kBatchPollTimer, kBatchPollMs);
    Enter(EscBatchPhase::WaitingForEsc, kBatchWaiting);
    Ask();
}

void EscBatch::Stop() {
    if (phase_ == EscBatchPhase::Writing) {
        stopAsked_ = true;  // the ESC on the line is not left half written
    } else if (!Finished() && phase_ != EscBatchPhase::Idle) {
        Finish(EscBatchPhase::Stopped);
    }
}

void EscBatch::Ask() {
    if (asking_) {
        return;  // the last question is still out: no second one over it
    }
    asking_ = true;
    link_.Identify();
}

void EscBatch::OnTimer(int id) {
    if (id == kBatchPollTimer &&
        (phase_ == EscBatchPhase::WaitingForEsc || phase_ == EscBatchPhase::WaitingForUnplug)) {
        Ask();
    }
}

void EscBatch::OnIdentified(const std::string& version) {
    asking_ = false;
    if (phase_ != EscBatchPhase::WaitingForEsc) {
        return;  // still the ESC just done (or refused): wait until it is gone
    }
    const int esc = static_cast<int>(rows_.size()) + 1;
    const int series = SeriesOf(version);
    const std::string name = SeriesTable(series) != nullptr ? SeriesName(series) : "unknown";
    rows_.push_back({esc, UpToZero(version), name, "", {}});
    if (series != table_.series) {
        rows_.back().result = "refused";
        Enter(EscBatchPhase::WaitingForUnplug,
              FormatShown(kBatchRefused, esc, name.c_str(), table_.name.c_str()));
        return;
    }
    Enter(EscBatchPhase::Writing, FormatShown(kBatchWriting, esc, UpToZero(version).c_str()));
    link_.Write();
}

void EscBatch::OnNoAnswer() {
    asking_ = false;
    if (phase_ == EscBatchPhase::WaitingForUnplug) {
        Enter(EscBatchPhase::WaitingForEsc, kBatchWaiting);
    }
}

void EscBatch::OnWritten(const std::vector<std::string>& notTaken) {
    if (phase_ != EscBatchPhase::Writing) {
        return;
    }
    EscBatchRow& row = rows_.back();
    row.result = notTaken.empty() ? "written" : "failed";
    row.notTaken = notTaken;
    if (notTaken.empty()) {
        ++written_;
    }
    if (written_ >= count_) {
        Finish(EscBatchPhase::Done);
    } else if (stopAsked_) {
        Finish(EscBatchPhase::Stopped);
    } else {
        Enter(EscBatchPhase::WaitingForUnplug,
              FormatShown(kBatchUnplug, row.esc,
                          notTaken.empty() ? "written and read back" : "did not take it all"));
    }
}

void EscBatch::OnWriteFailed(const std::string& why) {
    if (phase_ != EscBatchPhase::Writing) {
        return;
    }
    EscBatchRow& row = rows_.back();
    row.result = "failed";
    if (stopAsked_) {
        Finish(EscBatchPhase::Stopped);
        return;
    }
    Enter(EscBatchPhase::WaitingForUnplug,
          FormatShown(kBatchUnplug, row.esc, ("failed: " + why).c_str()));
}

std::string EscBatch::ReportCsv() const {
    std::string csv = std::string(kBatchCsvHeader) + "\n";
    for (const EscBatchRow& row : rows_) {
        std::string names;
        for (const std::string& name : row.notTaken) {
            names += (names.empty() ? "" : "; ") + name;
        }
        csv += std::to_string(row.esc) + "," + CsvField(row.version) + "," + CsvField(row.series) +
               "," + row.result + "," + CsvField(names) + "\n";
    }
    return csv;
}

}  // namespace tavix
