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

namespace {

constexpr const char* kRulesFile = "/etc/udev/rules.d/99-tavix.rules";

std::string Line(const char* label, const std::string& text) {
    std::string line = label;
    line += ':';
    line.append(line.size() < 14 ? 14 - line.size() : 1, ' ');
    return line + text;
}

std::string Continued(const std::string& text) {
    return std::string(14, ' ') + text;
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

std::string ProcessText(int pid, const std::string& name) {
    return "process " + std::to_string(pid) + " (" + EscapeControls(name) + ")";
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
        report.lines.push_back(Line("Access", "read and write allowed (" + ModeText(file) + ")"));
        return;
    }
    report.blocked = true;
    const std::string user = EscapeControls(system.UserName());
    const std::string group = EscapeControls(system.GroupName(file.groupId));
    const bool groupMayUse = (file.mode & 0060u) == 0060u && file.groupId != 0;
    if (groupMayUse && system.GroupDatabaseListsUser(file.groupId) &&
        !system.HasGroupNow(file.groupId)) {
        report.cause = "no permission: log in again to use group " + group;
        report.lines.push_back(Line("Access", "no: the port belongs to group " + group + " (" +
                                                  ModeText(file) + "); " + user +
                                                  " was added to it after this login"));
        report.lines.push_back(Continued(
            "A new login is needed: log out and in again (or run: newgrp " + group + ")"));
        return;
    }
    if (groupMayUse && system.HasGroupNow(file.groupId)) {
        // Joining or logging in again would not help: something beside the
        // file's mode says no.
        report.cause = "no permission: refused although " + user + " is in group " + group;
        report.lines.push_back(Line("Access", "no: group " + group + " may use the port (" +
                                                  ModeText(file) + ") and " + user +
                                                  " is in it, yet access is refused"));
        report.lines.push_back(
            Continued("An access control list or a security module (SELinux, AppArmor) may "
                      "deny it: see getfacl " +
                      EscapeControls(file.resolved)));
        return;
    }
    if (groupMayUse) {
        report.cause = "no permission: join group " + group;
        report.lines.push_back(Line("Access", "no: the port belongs to group " + group + " (" +
                                                  ModeText(file) + ") and " + user +
                                                  " is not in it"));
        report.lines.push_back(Continued("Join it with: sudo usermod -aG " + group + " " + user));
        report.lines.push_back(Continued("then log out and in again: a new login is needed"));
        return;
    }
    report.cause = "no permission: " + ModeText(file) + " for group " + group;
    report.lines.push_back(Line("Access", "no: the port allows only its owner (" + ModeText(file) +
                                              ", group " + group + ")"));
    report.lines.push_back(Continued("A udev rule can give it to a group: KERNEL==\"" +
                                     EscapeControls(BaseName(file.resolved)) +
                                     "\", GROUP=\"dialout\", MODE=\"0660\""));
}

void Holders(const PortSystem& system, const std::string& port, const PortFile& file,
             const std::vector<ProcessEntry>& table, PortReport& report) {
    const int own = system.OwnPid();
    std::vector<std::string> holders;
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
        report.lines.push_back(Line("Held by", "no other process"));
        if (unseen > 0) {
            report.lines.push_back(Continued(std::to_string(unseen) +
                                             " processes of other users were not looked into "
                                             "(run as root to see them)"));
            if (report.cause.empty()) {
                // Only asked after a failed open: someone the user cannot see may hold it.
                report.cause =
                    "perhaps in use by a process of another user (not visible without root)";
            }
        }
        return;
    }
    report.blocked = true;
    if (report.cause.empty()) {
        report.cause = "in use by " + holders.front();
    }
    for (std::size_t i = 0; i < holders.size(); ++i) {
        report.lines.push_back(i == 0 ? Line("Held by", holders[i]) : Continued(holders[i]));
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
            const std::string why = IrregularLockText(EscapeControls(path));
            report.blocked = true;
            report.lines.push_back(Line("Lock file", why));
            if (report.cause.empty()) {
                report.cause = why;
            }
            return;
        }
        const int pid = LockOwner(system.ReadSmallFile(path).value_or(std::string()));
        const ProcessEntry* owner = pid > 0 ? FindProcess(table, pid) : nullptr;
        if (owner != nullptr) {
            report.blocked = true;
            report.lines.push_back(
                Line("Lock file", EscapeControls(path) + " of " + ProcessText(pid, owner->name)));
            if (report.cause.empty()) {
                report.cause = "locked by " + ProcessText(pid, owner->name);
            }
        } else {
            report.lines.push_back(
                Line("Lock file", EscapeControls(path) + " is stale (" +
                                      (pid > 0 ? "process " + std::to_string(pid) + " is gone"
                                               : std::string("no process id in it")) +
                                      "); remove it with: sudo rm " + EscapeControls(path)));
        }
    });
    if (!any) {
        report.lines.push_back(Line("Lock files", "none"));
    }
}

void PortGrabbers(const std::vector<ProcessEntry>& table, const SerialPortEntry* entry,
                  PortReport& report) {
    if (Runs(table, "ModemManager")) {
        const std::string id = entry != nullptr ? UsbId(*entry) : std::string();
        report.lines.push_back(Line("ModemManager",
                                    "running: it opens new serial adapters to look "
                                    "for modems and may hold this one for a while"));
        report.lines.push_back(Continued("To make it leave the adapter alone, put this line in " +
                                         std::string(kRulesFile) + ":"));
        report.lines.push_back(Continued("  " + ModemManagerRule(id)));
        report.lines.push_back(Continued(
            "then run: sudo udevadm control --reload-rules, and plug the adapter in again"));
    } else {
        report.lines.push_back(Line("ModemManager", "not running"));
    }
    if (Runs(table, "brltty")) {
        report.lines.push_back(Line("brltty",
                                    "running: it takes some USB serial adapters "
                                    "(CP210x, CH341, FTDI) for braille displays"));
        report.lines.push_back(
            Continued("Without a braille display: sudo systemctl mask --now brltty-udev.service "
                      "brltty.service"));
    } else {
        report.lines.push_back(Line("brltty", "not running"));
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

std::string PortReport::Text() const {
    std::string text;
    for (const std::string& line : lines) {
        text += line + '\n';
    }
    return text;
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
        report.lines.push_back(Line("Port", kErrNoPortChosen));
        report.cause = kErrNoPortChosen;
        return report;
    }
    if (port == kDemoPort) {
        report.found = true;
        report.lines.push_back(Line("Port", "demo, the built-in simulated device"));
        return report;
    }
    const PortFile file = system.Stat(port);
    if (!file.exists) {
        report.cause = "not found; ";
        if (present.empty()) {
            report.cause += "no serial port is present";
        } else {
            report.cause += "present: ";
            for (std::size_t i = 0; i < present.size(); ++i) {
                report.cause += (i == 0 ? "" : ", ") + EscapeControls(present[i].path);
            }
        }
        report.lines.push_back(Line("Port", EscapeControls(port) + ": not found"));
        if (present.empty()) {
            report.lines.push_back(Line("Present", "no serial ports (is the adapter plugged in?)"));
        } else {
            report.lines.push_back(Line("Present", "these serial ports:"));
            for (const SerialPortEntry& entry : present) {
                std::string about = entry.description;
                report.lines.push_back(Continued(
                    EscapeControls(entry.path) +
                    (about.empty() ? std::string() : "  (" + EscapeControls(about) + ")")));
            }
        }
        return report;
    }
    report.found = true;
    std::string where = EscapeControls(port);
    if (file.resolved != port && !file.resolved.empty()) {
        where += " -> " + EscapeControls(file.resolved);
    }
    report.lines.push_back(Line("Port", where));
    if (!file.isCharDevice) {
        report.blocked = true;
        report.cause = "not a serial device";
        report.lines.push_back(Line("Kind", "not a character device, so not a serial port"));
        return report;
    }
    const SerialPortEntry* entry = FindPresent(present, port, file.resolved);
    if (entry != nullptr) {
        std::string about = EscapeControls(entry->description);
        if (!entry->manufacturer.empty()) {
            about += (about.empty() ? "" : ", by ") + EscapeControls(entry->manufacturer);
        }
        if (!UsbId(*entry).empty()) {
            about += (about.empty() ? "USB " : ", USB ") + UsbId(*entry);
        }
        report.lines.push_back(
            Line("Kind", "character device" + (about.empty() ? "" : ": " + about)));
    } else {
        report.lines.push_back(Line("Kind", "character device"));
    }
    Permission(system, port, file, report);
    const std::vector<ProcessEntry> table = system.Processes();
    Holders(system, port, file, table, report);
    LockFiles(system, port, file, table, report);
    PortGrabbers(table, entry, report);
    return report;
}

}  // namespace tavix
