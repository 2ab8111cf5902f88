#include "EscJob.h"

#include <QString>
#include <ostream>

#include "base/FormatText.h"
#include "base/RegularFile.h"
#include "esc/EscMessages.h"
#include "esc/EscPageEdits.h"
#include "link/PortName.h"
#include "platform/GbkText.h"
#include "platform/UserEscPresets.h"

namespace tavix::cli {

void PrintPage(const Io& io, const EscSeriesTable& table, const EscParamState& state,
               bool explain) {
    io.out << Printable(ParamFileText(table, state, explain));
}

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

bool ConnectedEsc::Open() {
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

int RunEscWrite(const Invocation& call, const EscWriteRequest& request) {
    const Io& io = call.io;
    for (const std::string& a : request.assignments) {
        if (a.find('=') == std::string::npos) {
            return call.UsageError("\"" + a + "\" is not NAME=VALUE");
        }
    }
    StreamPrompt prompt(io);
    const auto settings = call.LoadSettings(prompt);
    if (!settings) {
        return kExitRefused;
    }
    const std::string port = call.args.Get("--port");
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
    if (!request.preset.empty()) {
        std::string text;
        const std::string refusal = UserEscPresets().ReadFor(*table, request.preset, text);
        if (!refusal.empty()) {
            io.err << Printable(refusal) << '\n';
            return kExitRefused;
        }
    }
    if (!request.textName.empty()) {
        std::string error;
        changes = ParseParamFile(*table, request.text, request.textName, error);
        if (!error.empty()) {
            io.err << Printable(error) << '\n';
            return kExitRefused;
        }
    }
    if (!CheckArguments(io, *table, request.assignments, changes)) {
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
    if (!request.write) {
        PrintPage(io, *table, session.State(), request.explain);
        return kExitOk;
    }

    for (const EscSetting& change : changes) {
        ApplySetting(session, change);
    }
    if (request.dryRun) {
        std::string refusal;
        if (session.BuildWriteBlock(refusal).empty()) {
            io.err << Printable(refusal) << '\n';
            return kExitRefused;
        }
        const std::vector<MessageParts> lines = session.UpdateChanges();
        if (lines.empty()) {
            io.out << kTextNothingChanges << '\n';
        }
        for (const MessageParts& line : lines) {
            io.out << Printable(line.Text()) << '\n';
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

}  // namespace tavix::cli
