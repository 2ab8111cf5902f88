#pragma once
// What the tavix-cli esc actions share: the page of the identified series on
// its own serial control, the ESC opened and read, and the write with its
// read-back that "esc write", "esc restore" and "esc preset apply" all make.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CliCommon.h"
#include "Commands.h"
#include "DeviceSession.h"
#include "esc/EscPageEdits.h"
#include "esc/EscParamSession.h"
#include "esc/EscParamText.h"
#include "link/CMSComm.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"
#include "platform/UserEscHistory.h"

namespace tavix::cli {

inline constexpr const char* kMsgNoSeries = "The device is no ESC of a known series.";
inline constexpr const char* kMsgNoEnd = "The ESC did not answer in time.";
inline constexpr const char* kMsgNotTaken = "Offset %d (%s): wrote %d, the ESC holds %d.";
inline constexpr const char* kMsgSomeNotTaken = "%d byte(s) did not take.";
inline constexpr const char* kMsgCantReadFile = "Can't read %s!";

// Longest a read or a write may take: its own time-out is 3.1 s.
inline constexpr int kExchangeLimitMs = 10000;

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

void PrintPage(const Io& io, const EscSeriesTable& table, const EscParamState& state,
               bool explain = false);
// NAME=VALUE arguments (GBK, as the entries are) checked against the series.
bool CheckArguments(const Io& io, const EscSeriesTable& table,
                    const std::vector<std::string>& arguments, std::vector<EscSetting>& settings);
// A parameter file's text, as program text.
bool ReadFileText(const std::string& path, std::string& text, std::string& reason);
// Prints a line for every carried byte the read-back after a write found
// other than written; true when all took.
bool ReportNotTaken(const Io& io, const EscSeriesTable& table, const EscParamSession& session);

// The identified ESC with its page read, for the actions that need the device.
class ConnectedEsc {
public:
    explicit ConnectedEsc(const Invocation& call) : call_(call), prompt_(call.io) {}

    // Identifies the device and reads its block; false (the reason printed) when not.
    bool Open();
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

// A read, or a write of a parameter text and NAME=VALUE settings onto the ESC.
struct EscWriteRequest {
    bool write = false;
    std::string text;      // a parameter file (program text), or empty
    std::string textName;  // the file it came from, for messages
    std::string preset;    // the preset the text is, when it is one
    std::vector<std::string> assignments;
    bool dryRun = false;
    bool explain = false;  // read: each parameter's explanation beside its value
};
// Identifies the ESC, checks every setting against its series before the ESC
// is touched, reads the block, then prints it (read), prints what would change
// (dry run), or writes and reads back.
int RunEscWrite(const Invocation& call, const EscWriteRequest& request);

// tavix-cli esc preset ACTION ...
int RunEscPreset(const Invocation& call);
// tavix-cli esc batch --preset NAME|--from FILE --count N [--report FILE.csv]
int RunEscBatch(const Invocation& call);

}  // namespace tavix::cli
