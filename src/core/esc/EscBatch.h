#pragma once
// Many ESCs in a row: the same settings written into ESC after ESC plugged
// into one adapter (the four or eight ESCs of one model), each read back.
//
//            Start
//              |
//              v     no answer: ask again every half second
//   +-------------------+ <------------------------------------+
//   | Waiting for an ESC|                                      |
//   +-------------------+                                      |
//     | an ESC of the     | an ESC of another series:          | no answer:
//     | batch's series    | refused, nothing written           | unplugged
//     v                   v                                    |
//   +---------+  read  +----------------------+  (asked every  |
//   | Writing |------->| Waiting for unplug   |---half second)-+
//   +---------+  back  +----------------------+
//        |  the Nth ESC written and read back
//        v
//      Done            Stop: at once between ESCs, after the write while writing
//
// The batch holds no port: the link asks who is on the line and writes, and
// answers through the On... handlers, now or later. Every ESC met counts, from
// 1, refused ones too; its row says "written", "refused" or "failed" (and, for
// a write that did not take, the parameters that did not).

#include <functional>
#include <string>
#include <vector>

#include "base/Translate.h"
#include "esc/EscSeries.h"

namespace tavix {

class TimerHost;

inline constexpr int kBatchPollTimer = 40;
inline constexpr int kBatchPollMs = 500;

inline constexpr const char* kBatchWaiting = TAVIX_TR("Waiting for an ESC: plug the next one in.");
inline constexpr const char* kBatchWriting = TAVIX_TR("ESC %d (%s): writing and reading back...");
inline constexpr const char* kBatchRefused =
    TAVIX_TR("ESC %d is of the %s series, not %s: nothing written. Unplug it.");
inline constexpr const char* kBatchUnplug = TAVIX_TR("ESC %d %s. Unplug it for the next one.");
inline constexpr const char* kBatchDone = TAVIX_TR("Done: %d of %d ESCs written and read back.");
inline constexpr const char* kBatchStopped =
    TAVIX_TR("Stopped: %d of %d ESCs written and read back.");
inline constexpr const char* kBatchCsvHeader = "esc,version,series,result,not_taken";

class EscBatchLink {
public:
    virtual ~EscBatchLink() = default;
    // Asks who is on the line: EscBatch::OnIdentified or OnNoAnswer follows.
    virtual void Identify() = 0;
    // Writes the batch's settings into the ESC found and reads them back:
    // EscBatch::OnWritten or OnWriteFailed follows.
    virtual void Write() = 0;
};

enum class EscBatchPhase { Idle, WaitingForEsc, Writing, WaitingForUnplug, Done, Stopped };

struct EscBatchRow {
    int esc = 0;
    std::string version;
    std::string series;
    std::string result;  // "written", "refused" or "failed"
    std::vector<std::string> notTaken;
};

class EscBatch {
public:
    EscBatch(const EscSeriesTable& table, int count, EscBatchLink& link, TimerHost& timers);

    EscBatchPhase Phase() const { return phase_; }
    const std::string& Line() const { return line_; }
    const std::vector<EscBatchRow>& Rows() const { return rows_; }
    int Written() const { return written_; }
    int Count() const { return count_; }
    bool Finished() const {
        return phase_ == EscBatchPhase::Done || phase_ == EscBatchPhase::Stopped;
    }
    // Every ESC written and read back.
    bool Succeeded() const { return phase_ == EscBatchPhase::Done; }

    std::function<void()> changed;

    void Start();
    void Stop();
    void OnTimer(int id);

    // The link's answers. `version` is the ESC's version string.
    void OnIdentified(const std::string& version);
    void OnNoAnswer();
    void OnWritten(const std::vector<std::string>& notTaken);
    void OnWriteFailed(const std::string& why);

    // The rows as CSV, header first.
    std::string ReportCsv() const;

private:
    void Ask();
    void Enter(EscBatchPhase phase, std::string line);
    void Finish(EscBatchPhase phase);

    const EscSeriesTable& table_;
    int count_;
    EscBatchLink& link_;
    TimerHost& timers_;
    EscBatchPhase phase_ = EscBatchPhase::Idle;
    std::string line_;
    std::vector<EscBatchRow> rows_;
    int written_ = 0;
    bool asking_ = false;     // an identification is outstanding
    bool stopAsked_ = false;  // Stop during a write: stop once it ends
};

}  // namespace tavix
