#pragma once
// Why a serial port will not open, in words a user can act on. On Linux the
// usual reasons are: the adapter has another name (ttyACM0, not ttyUSB0), the
// user is not in the group that owns the port (dialout), another program
// holds it (a terminal program, ModemManager probing a new adapter, brltty
// taking it for a braille display), or a lock file says it is taken.
//
// The report goes through the PortSystem seam, so tests run it on a made-up
// machine; `tavix-cli doctor` and the "Diagnose" button of the port window
// show the same lines, and a failed open carries the short cause.

#include <string>
#include <vector>

#include "base/Translate.h"
#include "link/PortSystem.h"
#include "link/SerialPorts.h"

namespace tavix {

// "Label:        text": the label a marked text, or none for a line that
// goes on with the one above; text from outside escaped.
struct ReportLine {
    const char* label = nullptr;
    MessageParts text;
};

struct PortReport {
    std::vector<ReportLine> lines;
    bool found = false;    // the port exists (or is the demo device)
    bool blocked = false;  // something found keeps it from opening
    // One phrase for a failed open's detail: "not found", "no permission: join
    // group dialout", "in use by process 1234 (minicom)"; empty when nothing
    // explains it.
    std::string cause;

    // The lines, each ending in a line break: in English (the command line),
    // and in the window's language.
    std::string Text() const;
    std::string Shown() const;
};

// `present`: the ports on the machine, listed when `port` is not there and
// used for the adapter's USB id in the ModemManager rule.
PortReport DiagnosePort(const PortSystem& system, const std::string& port,
                        const std::vector<SerialPortEntry>& present);

// The folders a serial library keeps its lock files in, and the names it
// gives them for `port` (and for where its links lead): "LCK.." and the path
// below /dev with '/' made '_' (a pseudo-terminal /dev/pts/3: "LCK..pts_3"),
// and the old form with the base name only.
extern const char* const kLockDirs[8];
std::vector<std::string> LockFileNames(const std::string& port, const std::string& resolved);

// The path of a lock file of `port` that is there but is no regular file (a
// FIFO planted in the world-writable lock folder makes the serial library's
// read of it wait for ever); empty when there is none. Checked before every
// open, so the open is refused at once with the path.
std::string IrregularLockFile(const PortSystem& system, const std::string& port);
// What a refused open says of such a lock file.
std::string IrregularLockText(const std::string& path);

// The udev rule that makes ModemManager leave the adapter with this USB id alone.
std::string ModemManagerRule(const std::string& usbId);

}  // namespace tavix
