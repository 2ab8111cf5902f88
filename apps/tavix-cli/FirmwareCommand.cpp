// tavix-cli firmware: checks a firmware file (.Dlc) as "Browse ..." does, and
// flashes it into the ESC exactly as the "5.Upgrade" page does.
#include <chrono>
#include <ostream>

#include "Commands.h"
#include "DeviceSession.h"
#include "base/OutsideText.h"
#include "link/CMSComm.h"
#include "link/PortName.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"
#include "platform/UserEscHistory.h"
#include "upgrade/FirmwareDownload.h"
#include "upgrade/FirmwareFile.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli firmware check FILE.Dlc\n"
    "       tavix-cli firmware flash FILE.Dlc [--port PORT] [--config FILE] [--other-hardware]\n"
    "\n"
    "check  tells whether the firmware file is valid, as \"Browse ...\" on the\n"
    "       upgrade page checks it, and prints its version and image size; a\n"
    "       refused file exits 1 with the check it failed.\n"
    "flash  sends the file to the ESC as the upgrade page does: one read of the\n"
    "       parameter block, the image in blocks of 512 bytes, the parameter\n"
    "       block written back with the new version, then read back. It exits 0\n"
    "       only when the ESC reports the new version. Progress goes to stderr.\n"
    "       Do not unplug the ESC while it runs.\n"
    "\n"
    "  --port PORT       a device path, COMn, or demo (the built-in simulated device);\n"
    "                    default: the port stored in config.ini\n"
    "  --other-hardware  flash a file whose series or hardware code differs from\n"
    "                    the ESC's (refused without it: such an ESC may not start)\n";

constexpr const char* kMsgNoVersion = "The ESC did not answer: its firmware version is unknown.";
constexpr const char* kMsgNoEnd = "The download did not end: the ESC stopped answering.";

// The version read takes 3.1 s at most, a download of the largest image
// (128 blocks, each 519 bytes at 960 bytes/s plus a tick) a little over a minute.
constexpr int kReadLimitMs = 10000;
constexpr int kFlashLimitMs = 10 * 60 * 1000;

std::string Lines(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n")) {
        text.erase(at, 1);
    }
    return text;
}

std::string Groups(const VersionGroups& groups) {
    std::string text;
    for (const std::string& group : groups) {
        text += (text.empty() ? "" : " ") + PrintableField(group);
    }
    return text;
}

int Check(const std::string& path, const Io& io) {
    std::optional<std::string> content = ReadWholeFile(path);
    if (!content) {
        io.err << Lines(kMsgInvalidDownloadFile) << '\n';
        return kExitRefused;
    }
    const FirmwareFile file = ParseFirmware(std::move(*content));
    if (!file.valid) {
        io.err << kMsgInvalidFirmwareFile << '\n' << FaultDetail(file) << '\n';
        return kExitRefused;
    }
    io.out << "Version: " << Groups(SplitVersion(*file.version)) << '\n'
           << "Image:   " << file.ImageSize() << " bytes in " << file.BlockCount() << " blocks\n";
    return kExitOk;
}

int Flash(const std::string& path, const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    StreamPrompt prompt(io);
    prompt.answerDefaultNo = parsed.Has("--other-hardware");
    const auto settings = call.LoadSettings(prompt);
    if (!settings) {
        return kExitRefused;
    }
    const std::string portOption = parsed.Get("--port");
    CIniFile* ini = &settings->ini;
    CAppConfig* config = &settings->config;
    CMSComm comm(MakeSerialBackend(portOption));
    QtTimerHost timers;
    FirmwareDownload session(comm, timers, prompt, [portOption, ini, config] {
        return ResolvePort(portOption, config->comPort, *ini);
    });

    session.OnShow(true);
    if (!session.State().getVersionEnabled) {
        return kExitRefused;  // the port did not open; the reason has been printed
    }
    DeviceSession::RunUntil([&] { return session.State().connected || prompt.failures > 0; },
                            kReadLimitMs);
    if (!session.State().connected) {
        if (prompt.failures == 0) {
            io.err << kMsgNoVersion << '\n';
        }
        return kExitRefused;
    }
    io.out << "Current version:  " << Groups(session.State().currentVersion) << '\n';

    session.OnBrowse(path);
    if (!session.State().startEnabled) {
        return kExitRefused;  // the file was refused with its message
    }
    io.out << "Firmware version: " << Groups(session.State().firmwareVersion) << ", "
           << session.File().ImageSize() << " bytes\n";

    session.nowMs = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    int shown = 0;  // a line for each block as it leaves
    session.changed = [&] {
        const UpgradeState& s = session.State();
        if (!s.busy || s.blocksSent == shown) {
            return;
        }
        shown = s.blocksSent;
        io.err << (io.errIsTerminal ? "\r" : "") << s.BlockText()
               << (io.errIsTerminal ? "   " : "\n") << std::flush;
    };
    // The ESC's settings as they were before the new firmware, in the history.
    const std::string kept = KeepEscSnapshot(SnapshotReason::BeforeUpgrade, session.StoredBlock());
    if (!kept.empty()) {
        io.err << Printable(kept) << '\n';
    }
    // Start reads the ESC again first, then asks, then sends.
    const int failures = prompt.failures;
    session.OnStart();
    DeviceSession::RunUntil([&] { return session.State().phase != UpgradePhase::ReadingVersion; },
                            kReadLimitMs);
    // Still Ready (or no longer linked): the question was answered No, or
    // another ESC was found, or it did not answer; nothing was sent.
    const UpgradePhase phase = session.State().phase;
    if (phase == UpgradePhase::Ready || phase == UpgradePhase::Linked ||
        phase == UpgradePhase::NotLinked) {
        if (!prompt.answerDefaultNo && prompt.failures == failures) {
            io.err << "Nothing was sent. Give --other-hardware to flash it all the same.\n";
        }
        return kExitRefused;
    }
    const bool ended =
        DeviceSession::RunUntil([&] { return !session.State().busy; }, kFlashLimitMs);
    if (io.errIsTerminal) {
        io.err << '\n';
    }
    if (!ended) {
        session.OnStop();
        io.err << kMsgNoEnd << '\n';
    } else {
        session.OnHide();
    }
    if (session.State().phase == UpgradePhase::Done) {
        return kExitOk;
    }
    // Whatever ended it, the pilot must not fly that ESC before a flash succeeds.
    if (session.State().incomplete) {
        io.err << kMsgFirmwareIncompleteCli << '\n';
    }
    return kExitRefused;
}

}  // namespace

int RunFirmware(const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    const std::string& action = parsed.positional[0];
    const std::string& path = parsed.positional[1];
    if (action == "check") {
        if (parsed.Has("--port")) {
            return call.UsageError("check talks to no device: --port is not for it");
        }
        return Check(path, io);
    }
    if (action == "flash") {
        return Flash(path, call);
    }
    return call.UsageError("unknown action " + action);
}

const Command kFirmwareCommand{"firmware",
                               "check a firmware file (.Dlc) or flash it into the ESC",
                               kUsage,
                               {{"--port"}, {"--config"}, {"--other-hardware", false}},
                               2,
                               2,
                               "needs check or flash and one FILE.Dlc",
                               RunFirmware};

}  // namespace tavix::cli
