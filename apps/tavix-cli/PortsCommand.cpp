// tavix-cli ports and tavix-cli doctor: which serial ports this machine has,
// and why the chosen one does or does not reach the device.
#include <filesystem>
#include <ostream>

#include "Commands.h"
#include "DeviceSession.h"
#include "base/OutsideText.h"
#include "device/DeviceMessages.h"
#include "link/PortName.h"
#include "platform/SystemPorts.h"

namespace tavix::cli {

namespace {

constexpr const char* kPortsUsage =
    "Usage: tavix-cli ports [--config FILE]\n"
    "\n"
    "Lists the serial ports present: path (the stable /dev/serial/by-id name first\n"
    "where there is one), description, manufacturer, USB vendor:product id and\n"
    "serial number. '*' marks the port config.ini chooses. Exit status 0, also\n"
    "when there are none.\n"
    "\n";

constexpr const char* kDoctorUsage =
    "Usage: tavix-cli doctor [--port PORT] [--config FILE]\n"
    "\n"
    "Tells why a serial port does or does not reach the device: whether it\n"
    "exists (else the ports present), whether it is a character device, whether\n"
    "this user may read and write it (else the group to join and the command),\n"
    "which processes hold it open, its lock files, whether ModemManager or brltty\n"
    "runs (with the udev rule that keeps ModemManager away). Then it opens the\n"
    "port at 9600 8N1 and identifies the device. Exit status 0 when the device\n"
    "answered, 1 otherwise.\n"
    "\n"
    "  --port PORT    a device path, COMn, or demo; default: the port stored in\n"
    "                 config.ini\n";

// The doctor asks whether the device answers; without config.ini there is
// no hardware profile to look up, and saying so is no news about the port.
class DoctorPrompt : public StreamPrompt {
public:
    DoctorPrompt(const Io& io, bool haveProfiles) : StreamPrompt(io), haveProfiles_(haveProfiles) {}
    void Message(const std::string& text, PromptIcon icon, const std::string& detail) override {
        const std::string noProfile = kMsgNoHardwareProfile;
        if (!haveProfiles_ && text.rfind(noProfile.substr(0, noProfile.find('%')), 0) == 0) {
            return;
        }
        StreamPrompt::Message(text, icon, detail);
    }

private:
    bool haveProfiles_;
};

// config.ini when there is one: the ports commands work without it (a new
// user's first question is which port to choose).
std::unique_ptr<Settings> OptionalSettings(const Invocation& call, StreamPrompt& prompt) {
    const std::string path = call.SettingsPath();
    std::error_code ec;
    if (!call.args.Has("--config") && !std::filesystem::exists(path, ec)) {
        return std::make_unique<Settings>();
    }
    return LoadSettings(path, prompt, call.io);
}

int RunPorts(const Invocation& call) {
    StreamPrompt prompt(call.io);
    const auto settings = OptionalSettings(call, prompt);
    if (!settings) {
        return kExitRefused;
    }
    const std::string current = ResolvePort("", settings->config.comPort, settings->ini);
    const std::vector<SerialPortEntry> ports = SystemSerialPorts(current);
    if (ports.empty()) {
        call.io.out << "No serial ports found. Plug the adapter in, or run tavix-devsim for a "
                       "simulated device.\n";
        return kExitOk;
    }
    call.io.out << PortListText(ports);
    return kExitOk;
}

int RunDoctor(const Invocation& call) {
    const Io& io = call.io;
    StreamPrompt prompt(io);
    const auto settings = OptionalSettings(call, prompt);
    if (!settings) {
        return kExitRefused;
    }
    const std::string option = call.args.Get("--port");
    const std::string port = ResolvePort(option, settings->config.comPort, settings->ini);
    const PortReport report = DiagnoseLocalPort(port);
    io.out << report.Text();
    if (!report.found) {
        return kExitRefused;
    }
    io.out.flush();
    DoctorPrompt quiet(io, !settings->ini.FilePath().empty());
    DeviceSession session(*settings, quiet, port);
    session.Identify();
    const std::string& version = session.Identity().ReceivedVersion();
    if (version.empty()) {
        io.out << "Device:       no answer at 9600 8N1"
               << (report.cause.empty() ? std::string() : " (" + report.cause + ")") << '\n';
        return kExitRefused;
    }
    io.out << "Device:       answered at 9600 8N1, version " << EscapeControls(Printable(version))
           << '\n';
    return kExitOk;
}

}  // namespace

const Command kPortsCommand{
    "ports", "list the serial ports present", kPortsUsage, {{"--config"}}, 0, 0, nullptr, RunPorts};

const Command kDoctorCommand{"doctor",
                             "tell why a serial port does or does not reach the device",
                             kDoctorUsage,
                             {{"--port"}, {"--config"}},
                             0,
                             0,
                             nullptr,
                             RunDoctor};

}  // namespace tavix::cli
