#include "link/PortDoctor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

#include "base/FormatText.h"
#include "base/OutsideText.h"
#include "base/Translate.h"
#include "link/CMSComm.h"
#include "link/LinkMessages.h"
#include "link/PortName.h"

namespace tavix {

// Where the serial library looks, in its order (it takes the first it may write).
const char* const kLockDirs[8] = {"/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
                                  "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};

// The report's words. Paths, names and commands stay as they are in every
// language: the pilot types them.
constexpr const char* kDocPort = TAVIX_TR("Port:");
constexpr const char* kDocPresent = TAVIX_TR("Present:");
constexpr const char* kDocKind = TAVIX_TR("Kind:");
constexpr const char* kDocAccess = TAVIX_TR("Access:");
constexpr const char* kDocHeldBy = TAVIX_TR("Held by:");
constexpr const char* kDocLockFile = TAVIX_TR("Lock file:");
constexpr const char* kDocLockFiles = TAVIX_TR("Lock files:");
constexpr const char* kDocDemo = TAVIX_TR("demo, the built-in simulated device");
constexpr const char* kDocNotFound = TAVIX_TR("%s: not found");
constexpr const char* kDocNoPorts = TAVIX_TR("no serial ports (is the adapter plugged in?)");
constexpr const char* kDocThesePorts = TAVIX_TR("these serial ports:");
constexpr const char* kDocNotCharDevice = TAVIX_TR("not a character device, so not a serial port");
constexpr const char* kDocCharDevice = TAVIX_TR("character device");
constexpr const char* kDocCharDeviceOf = TAVIX_TR("character device: %s");
constexpr const char* kDocByMaker = TAVIX_TR("by %s");
constexpr const char* kDocAccessOk = TAVIX_TR("read and write allowed (%s)");
constexpr const char* kDocAccessAddedLater =
    TAVIX_TR("no: the port belongs to group %s (%s); %s was added to it after this login");
constexpr const char* kDocNewLogin =
    TAVIX_TR("A new login is needed: log out and in again (or run: newgrp %s)");
constexpr const char* kDocAccessRefused =
    TAVIX_TR("no: group %s may use the port (%s) and %s is in it, yet access is refused");
constexpr const char* kDocAclHint = TAVIX_TR(
    "An access control list or a security module (SELinux, AppArmor) may deny it: see getfacl "
    "%s");
constexpr const char* kDocNotInGroup =
    TAVIX_TR("no: the port belongs to group %s (%s) and %s is not in it");
constexpr const char* kDocJoinWith = TAVIX_TR("Join it with: sudo usermod -aG %s %s");
constexpr const char* kDocThenLogin = TAVIX_TR("then log out and in again: a new login is needed");
constexpr const char* kDocOwnerOnly = TAVIX_TR("no: the port allows only its owner (%s, group %s)");
constexpr const char* kDocUdevGroup = TAVIX_TR(
    "A udev rule can give it to a group: KERNEL==\"%s\", GROUP=\"dialout\", MODE=\"0660\"");
constexpr const char* kDocNoOtherProcess = TAVIX_TR("no other process");
constexpr const char* kDocUnseen =
    TAVIX_TR("%s processes of other users were not looked into (run as root to see them)");
constexpr const char* kDocProcess = TAVIX_TR("process %s (%s)");
constexpr const char* kDocLockOf = TAVIX_TR("%s of %s");
constexpr const char* kDocLockStale = TAVIX_TR("%s is stale (%s); remove it with: sudo rm %s");
constexpr const char* kDocProcessGone = TAVIX_TR("process %s is gone");
constexpr const char* kDocNoProcessId = TAVIX_TR("no process id in it");
constexpr const char* kDocNone = TAVIX_TR("none");
constexpr const char* kDocNotRunning = TAVIX_TR("not running");
constexpr const char* kDocModemManagerRuns = TAVIX_TR(
    "running: it opens new serial adapters to look for modems and may hold this one for a while");
constexpr const char* kDocModemManagerRule =
    TAVIX_TR("To make it leave the adapter alone, put this line in %s:");
constexpr const char* kDocModemManagerReload =
    TAVIX_TR("then run: sudo udevadm control --reload-rules, and plug the adapter in again");
constexpr const char* kDocBrlttyRuns = TAVIX_TR(
    "running: it takes some USB serial adapters (CP210x, CH341, FTDI) for braille displays");
constexpr const char* kDocBrlttyMask = TAVIX_TR(
    "Without a braille display: sudo systemctl mask --now brltty-udev.service brltty.service");

// The short cause a failed open names; written for the window's language
// when it has one (the command line has none).
constexpr const char* kCauseLogInAgain = TAVIX_TR("no permission: log in again to use group %s");
constexpr const char* kCauseRefused = TAVIX_TR("no permission: refused although %s is in group %s");
constexpr const char* kCauseJoinGroup = TAVIX_TR("no permission: join group %s");
constexpr const char* kCauseOwnerOnly = TAVIX_TR("no permission: %s for group %s");
constexpr const char* kCauseOtherUser =
    TAVIX_TR("perhaps in use by a process of another user (not visible without root)");
constexpr const char* kCauseInUse = TAVIX_TR("in use by %s");
constexpr const char* kCauseLocked = TAVIX_TR("locked by %s");
constexpr const char* kCauseNotFound = TAVIX_TR("not found; no serial port is present");
constexpr const char* kCauseNotFoundPresent = TAVIX_TR("not found; present: %s");
constexpr const char* kCauseNotSerial = TAVIX_TR("not a serial device");

namespace {

constexpr const char* kRulesFile = "/etc/udev/rules.d/99-tavix.rules";
// The column the texts start in: labels are padded to it.
constexpr std::size_t kTextColumn = 14;

ReportLine Line(const char* label, MessageParts text) {
    return ReportLine{label, std::move(text)};
}

ReportLine Line(const char* label, const char* text) {
    return ReportLine{label, MessageParts(text)};
}

ReportLine Continued(MessageParts text) {
    return ReportLine{nullptr, std::move(text)};
}

MessageParts Join(MessageParts a, MessageParts b) {
    return MessageParts("%s, %s", {std::move(a), std::move(b)});
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ModeText(const PortFile& file) {
    std::string text = file.isCharDevice ? "c" : "-";
    const char* marks = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit) {
        text += (file.mode & (0400u >> bit)) != 0 ? marks[bit] : '-';
    }
    return text;
}

MessageParts ProcessText(int pid, const std::string& name) {
    return MessageParts(kDocProcess, {std::to_string(pid), EscapeControls(name)});
}

const ProcessEntry* FindProcess(const std::vector<ProcessEntry>& table, int pid) {
    for (const ProcessEntry& p : table) {
        if (p.pid == pid) {
            return &p;
        }
    }
    return nullptr;
}

bool Runs(const std::vector<ProcessEntry>& table, const char* name) {
    for (const ProcessEntry& p : table) {
        if (p.name == name) {
            return true;
        }
    }
    return false;
}

// A lock file holds the locking process's id: ten ASCII digits padded with
// blanks (the usual form), or a binary int from some old programs.
int LockOwner(const std::string& content) {
    int pid = 0;
    bool digits = false;
    for (char c : content) {
        if (c >= '0' && c <= '9') {
            pid = pid * 10 + (c - '0');
            digits = true;
            if (pid > 99999999) {
                return 0;
            }
        } else if (c == ' ' || c == '\n' || c == '\t' || c == '\r') {
            if (digits) {
                break;
            }
        } else {
            digits = false;
            pid = 0;
            break;
        }
    }
    if (digits) {
        return pid;
    }
    if (content.size() == sizeof(int)) {
        std::memcpy(&pid, content.data(), sizeof(int));
        return pid > 0 ? pid : 0;
    }
    return 0;
}

const SerialPortEntry* FindPresent(const std::vector<SerialPortEntry>& present,
                                   const std::string& port, const std::string& resolved) {
    for (const SerialPortEntry& entry : present) {
        if (entry.path == port || entry.device == port || entry.device == resolved) {
            return &entry;
        }
    }
    return nullptr;
}

void Permission(const PortSystem& system, const std::string& port, const PortFile& file,
                PortReport& report) {
    if (system.CanReadWrite(port)) {
        report.lines.push_back(Line(kDocAccess, MessageParts(kDocAccessOk, {ModeText(file)})));
        return;
    }
    report.blocked = true;
    const std::string user = EscapeControls(system.UserName());
    const std::string group = EscapeControls(system.GroupName(file.groupId));
    const bool groupMayUse = (file.mode & 0060u) == 0060u && file.groupId != 0;
    if (groupMayUse && system.GroupDatabaseListsUser(file.groupId) &&
        !system.HasGroupNow(file.groupId)) {
        report.cause = FormatShown(kCauseLogInAgain, group.c_str());
        report.lines.push_back(
            Line(kDocAccess, MessageParts(kDocAccessAddedLater, {group, ModeText(file), user})));
        report.lines.push_back(Continued(MessageParts(kDocNewLogin, {group})));
        return;
    }
    if (groupMayUse && system.HasGroupNow(file.groupId)) {
        // Joining or logging in again would not help: something beside the
        // file's mode says no.
        report.cause = FormatShown(kCauseRefused, user.c_str(), group.c_str());
        report.lines.push_back(
            Line(kDocAccess, MessageParts(kDocAccessRefused, {group, ModeText(file), user})));
        report.lines.push_back(
            Continued(MessageParts(kDocAclHint, {EscapeControls(file.resolved)})));
        return;
    }
    if (groupMayUse) {
        report.cause = FormatShown(kCauseJoinGroup, group.c_str());
        report.lines.push_back(
            Line(kDocAccess, MessageParts(kDocNotInGroup, {group, ModeText(file), user})));
        report.lines.push_back(Continued(MessageParts(kDocJoinWith, {group, user})));
        report.lines.push_back(Continued(MessageParts(kDocThenLogin)));
        return;
    }
    report.cause = FormatShown(kCauseOwnerOnly, ModeText(file).c_str(), group.c_str());
    report.lines.push_back(Line(kDocAccess, MessageParts(kDocOwnerOnly, {ModeText(file), group})));
    report.lines.push_back(
        Continued(MessageParts(kDocUdevGroup, {EscapeControls(BaseName(file.resolved))})));
}

void Holders(const PortSystem& system, const std::string& port, const PortFile& file,
             const std::vector<ProcessEntry>& table, PortReport& report) {
    const int own = system.OwnPid();
    std::vector<MessageParts> holders;
    int unseen = 0;
    for (const ProcessEntry& p : table) {
        if (p.pid == own) {
            continue;
        }
        if (!p.filesReadable) {
            ++unseen;
            continue;
        }
        for (const std::string& open : p.openFiles) {
            if (open == file.resolved || open == port) {
                holders.push_back(ProcessText(p.pid, p.name));
                break;
            }
        }
    }
    if (holders.empty()) {
        report.lines.push_back(Line(kDocHeldBy, kDocNoOtherProcess));
        if (unseen > 0) {
            report.lines.push_back(Continued(MessageParts(kDocUnseen, {std::to_string(unseen)})));
            if (report.cause.empty()) {
                // Only asked after a failed open: someone the user cannot see may hold it.
                report.cause = FormatShown(kCauseOtherUser);
            }
        }
        return;
    }
    report.blocked = true;
    if (report.cause.empty()) {
        report.cause = FormatShown(kCauseInUse, holders.front().Shown().c_str());
    }
    for (std::size_t i = 0; i < holders.size(); ++i) {
        report.lines.push_back(i == 0 ? Line(kDocHeldBy, holders[i]) : Continued(holders[i]));
    }
}

// Calls `found(path)` for every lock file of `port` in the lock folders,
// each folder once however many links lead to it.
void ForEachLockFile(const PortSystem& system, const std::string& port, const std::string& resolved,
                     const std::function<void(const std::string&)>& found) {
    const std::vector<std::string> names = LockFileNames(port, resolved);
    std::vector<std::string> seenDirs;
    for (const char* dir : kLockDirs) {
        const PortFile dirFile = system.Stat(dir);
        if (!dirFile.exists ||
            std::find(seenDirs.begin(), seenDirs.end(), dirFile.resolved) != seenDirs.end()) {
            continue;  // /var/lock is usually a link to /run/lock
        }
        seenDirs.push_back(dirFile.resolved);
        for (const std::string& entry : system.ListDirectory(dirFile.resolved)) {
            if (std::find(names.begin(), names.end(), entry) != names.end()) {
                found(dirFile.resolved + "/" + entry);
            }
        }
    }
}

bool Irregular(const PortSystem& system, const std::string& path) {
    const PortFile lock = system.Stat(path);
    return lock.exists && !lock.isRegular;
}

void LockFiles(const PortSystem& system, const std::string& port, const PortFile& file,
               const std::vector<ProcessEntry>& table, PortReport& report) {
    bool any = false;
    ForEachLockFile(system, port, file.resolved, [&](const std::string& path) {
        any = true;
        if (Irregular(system, path)) {
            // Not read: a FIFO would keep the reader waiting for ever.
            const std::string kept = EscapeControls(path);
            report.blocked = true;
            report.lines.push_back(
                Line(kDocLockFile, MessageParts(kErrIrregularLockFile, {kept, kept})));
            if (report.cause.empty()) {
                report.cause = IrregularLockText(kept);
            }
            return;
        }
        const int pid = LockOwner(system.ReadSmallFile(path).value_or(std::string()));
        const ProcessEntry* owner = pid > 0 ? FindProcess(table, pid) : nullptr;
        if (owner != nullptr) {
            report.blocked = true;
            report.lines.push_back(Line(
                kDocLockFile, MessageParts(kDocLockOf, {MessageParts::Word(EscapeControls(path)),
                                                        ProcessText(pid, owner->name)})));
            if (report.cause.empty()) {
                report.cause =
                    FormatShown(kCauseLocked, ProcessText(pid, owner->name).Shown().c_str());
            }
        } else {
            const MessageParts why = pid > 0 ? MessageParts(kDocProcessGone, {std::to_string(pid)})
                                             : MessageParts(kDocNoProcessId);
            report.lines.push_back(
                Line(kDocLockFile,
                     MessageParts(kDocLockStale, {MessageParts::Word(EscapeControls(path)), why,
                                                  MessageParts::Word(EscapeControls(path))})));
        }
    });
    if (!any) {
        report.lines.push_back(Line(kDocLockFiles, kDocNone));
    }
}

void PortGrabbers(const std::vector<ProcessEntry>& table, const SerialPortEntry* entry,
                  PortReport& report) {
    if (Runs(table, "ModemManager")) {
        const std::string id = entry != nullptr ? UsbId(*entry) : std::string();
        report.lines.push_back(Line("ModemManager:", kDocModemManagerRuns));
        report.lines.push_back(
            Continued(MessageParts(kDocModemManagerRule, {MessageParts::Word(kRulesFile)})));
        report.lines.push_back(Continued(MessageParts::Word("  " + ModemManagerRule(id))));
        report.lines.push_back(Continued(MessageParts(kDocModemManagerReload)));
    } else {
        report.lines.push_back(Line("ModemManager:", kDocNotRunning));
    }
    if (Runs(table, "brltty")) {
        report.lines.push_back(Line("brltty:", kDocBrlttyRuns));
        report.lines.push_back(Continued(MessageParts(kDocBrlttyMask)));
    } else {
        report.lines.push_back(Line("brltty:", kDocNotRunning));
    }
}

}  // namespace

std::vector<std::string> LockFileNames(const std::string& port, const std::string& resolved) {
    std::vector<std::string> names;
    for (const std::string& path : {port, resolved}) {
        if (path.empty()) {
            continue;
        }
        std::string below = path.rfind("/dev/", 0) == 0 ? path.substr(5) : BaseName(path);
        std::replace(below.begin(), below.end(), '/', '_');
        for (const std::string& name : {"LCK.." + below, "LCK.." + BaseName(path)}) {
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
            }
        }
    }
    return names;
}

std::string IrregularLockText(const std::string& path) {
    return FormatShown(kErrIrregularLockFile, path.c_str(), path.c_str());
}

std::string IrregularLockFile(const PortSystem& system, const std::string& port) {
    if (port.empty() || port == kDemoPort) {
        return {};
    }
    std::string irregular;
    ForEachLockFile(system, port, system.Stat(port).resolved, [&](const std::string& path) {
        if (irregular.empty() && Irregular(system, path)) {
            irregular = path;
        }
    });
    return irregular;
}

namespace {

// `label` (already in its language) padded to the text column. A shown label
// is in GBK, two bytes to a Chinese character that is also two columns wide,
// so bytes count columns in either language.
std::string Padded(const std::string& label) {
    return label + std::string(label.size() < kTextColumn ? kTextColumn - label.size() : 1, ' ');
}

std::string Written(const std::vector<ReportLine>& lines, bool shown) {
    std::string text;
    for (const ReportLine& line : lines) {
        if (line.label == nullptr) {
            text += std::string(kTextColumn, ' ');
        } else {
            text += Padded(shown ? Translate(line.label) : std::string(line.label));
        }
        text += (shown ? line.text.Shown() : line.text.Text()) + '\n';
    }
    return text;
}

}  // namespace

std::string PortReport::Text() const {
    return Written(lines, false);
}

std::string PortReport::Shown() const {
    return Written(lines, true);
}

std::string ModemManagerRule(const std::string& usbId) {
    std::string vendor = "VVVV";
    std::string product = "PPPP";
    if (usbId.size() == 9 && usbId[4] == ':') {
        vendor = usbId.substr(0, 4);
        product = usbId.substr(5);
    }
    return "ATTRS{idVendor}==\"" + vendor + "\", ATTRS{idProduct}==\"" + product +
           "\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"";
}

PortReport DiagnosePort(const PortSystem& system, const std::string& port,
                        const std::vector<SerialPortEntry>& present) {
    PortReport report;
    if (port.empty()) {
        report.lines.push_back(Line(kDocPort, kErrNoPortChosen));
        report.cause = kErrNoPortChosen;
        return report;
    }
    if (port == kDemoPort) {
        report.found = true;
        report.lines.push_back(Line(kDocPort, kDocDemo));
        return report;
    }
    const PortFile file = system.Stat(port);
    if (!file.exists) {
        if (present.empty()) {
            report.cause = FormatShown(kCauseNotFound);
        } else {
            std::string paths;
            for (std::size_t i = 0; i < present.size(); ++i) {
                paths += (i == 0 ? "" : ", ") + EscapeControls(present[i].path);
            }
            report.cause = FormatShown(kCauseNotFoundPresent, paths.c_str());
        }
        report.lines.push_back(Line(kDocPort, MessageParts(kDocNotFound, {EscapeControls(port)})));
        if (present.empty()) {
            report.lines.push_back(Line(kDocPresent, kDocNoPorts));
        } else {
            report.lines.push_back(Line(kDocPresent, kDocThesePorts));
            for (const SerialPortEntry& entry : present) {
                const std::string& about = entry.description;
                report.lines.push_back(Continued(MessageParts::Word(
                    EscapeControls(entry.path) +
                    (about.empty() ? std::string() : "  (" + EscapeControls(about) + ")"))));
            }
        }
        return report;
    }
    report.found = true;
    std::string where = EscapeControls(port);
    if (file.resolved != port && !file.resolved.empty()) {
        where += " -> " + EscapeControls(file.resolved);
    }
    report.lines.push_back(Line(kDocPort, MessageParts::Word(where)));
    if (!file.isCharDevice) {
        report.blocked = true;
        report.cause = FormatShown(kCauseNotSerial);
        report.lines.push_back(Line(kDocKind, kDocNotCharDevice));
        return report;
    }
    const SerialPortEntry* entry = FindPresent(present, port, file.resolved);
    if (entry != nullptr) {
        // "FT232R USB UART, by FTDI, USB 0403:6001", each part when known.
        std::vector<MessageParts> about;
        if (!entry->description.empty()) {
            about.push_back(MessageParts::Word(EscapeControls(entry->description)));
        }
        if (!entry->manufacturer.empty()) {
            about.push_back(MessageParts(kDocByMaker, {EscapeControls(entry->manufacturer)}));
        }
        if (!UsbId(*entry).empty()) {
            about.push_back(MessageParts::Word("USB " + UsbId(*entry)));
        }
        if (about.empty()) {
            report.lines.push_back(Line(kDocKind, kDocCharDevice));
        } else {
            MessageParts joined = about.front();
            for (std::size_t i = 1; i < about.size(); ++i) {
                joined = Join(std::move(joined), about[i]);
            }
            report.lines.push_back(Line(kDocKind, MessageParts(kDocCharDeviceOf, {joined})));
        }
    } else {
        report.lines.push_back(Line(kDocKind, kDocCharDevice));
    }
    Permission(system, port, file, report);
    const std::vector<ProcessEntry> table = system.Processes();
    Holders(system, port, file, table, report);
    LockFiles(system, port, file, table, report);
    PortGrabbers(table, entry, report);
    return report;
}

}  // namespace tavix
