// tavix-cli firmware: checks a firmware file (.Dlc) as "Browse ..." does, and
// flashes it into the ESC exactly as the "5.Upgrade" page does.
#include <ostream>

#include "Commands.h"
#include "DeviceSession.h"
#include "link/CMSComm.h"
#include "link/PortName.h"
#include "platform/QtTimerHost.h"
#include "platform/SerialBackendFactory.h"
#include "upgrade/FirmwareDownload.h"
#include "upgrade/FirmwareFile.h"
#include "upgrade/UpgradeMessages.h"

namespace tavix::cli {

namespace {

constexpr const char* kUsage =
    "Usage: tavix-cli firmware check FILE.Dlc\n"
    "       tavix-cli firmware flash FILE.Dlc [--port PORT] [--config FILE]\n"
    "\n"
    "check  tells whether the firmware file is valid, as \"Browse ...\" on the\n"
    "       upgrade page checks it, and prints its version and image size.\n"
    "flash  sends the file to the ESC as the upgrade page does: one read of the\n"
    "       parameter block, the image in blocks of 512 bytes, then the parameter\n"
    "       block written back with the new version. Progress goes to stderr.\n"
    "       Do not unplug the ESC while it runs.\n"
    "\n"
    "  --port PORT    a device path, COMn, or demo (the built-in simulated device);\n"
    "                 default: the port stored in config.ini\n"
    "  --config FILE  the settings file (default: ./config.ini)\n";

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
        io.err << kMsgInvalidFirmwareFile << '\n';
        return kExitRefused;
    }
    io.out << "Version: " << Groups(SplitVersion(*file.version)) << '\n'
           << "Image:   " << file.ImageSize() << " bytes in " << file.BlockCount() << " blocks\n";
    if (JoinVersion(SplitVersion(*file.version)).size() != kFirmwareVersionSize) {
        // Valid, but a download would end without writing the version.
        io.err << "Warning: " << kMsgInvalidVersion << '\n';
    }
    return kExitOk;
}

int Flash(const std::string& path, const Invocation& call) {
    const ParsedArgs& parsed = call.args;
    const Io& io = call.io;
    StreamPrompt prompt(io);
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
    session.OnStart();
    const bool ended =
        DeviceSession::RunUntil([&] { return !session.State().busy; }, kFlashLimitMs);
    if (io.errIsTerminal) {
        io.err << '\n';
    }
    if (!ended) {
        session.OnStop();
        io.err << kMsgNoEnd << '\n';
        return kExitRefused;
    }
    session.OnHide();
    return session.State().phase == UpgradePhase::Done ? kExitOk : kExitRefused;
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
                               {{"--port"}, {"--config"}},
                               2,
                               2,
                               "needs check or flash and one FILE.Dlc",
                               RunFirmware};

}  // namespace tavix::cli
