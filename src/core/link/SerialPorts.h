#pragma once
// The serial ports present on this machine, as the "Com Port Setting" window
// and `tavix-cli ports` list them, and how a chosen device path is stored.
//
// On Linux an adapter's kernel name (/dev/ttyUSB0, /dev/ttyACM0) depends on
// the order in which adapters were plugged in; udev adds a stable name for
// each USB adapter under /dev/serial/by-id that stays the same across plugs
// and reboots. The list shows the stable name where there is one, and lists
// those first.
//
// config.ini keeps the port as a number (`port=N` in [communicateset]), as
// every earlier build reads it; a path that is not /dev/ttyUSB<N-1> goes in
// `com<N>=<path>` beside it, which PortPathFor reads back.

#include <string>
#include <utility>
#include <vector>

namespace tavix {

class CAppConfig;
class CIniFile;

struct SerialPortEntry {
    std::string path;    // what the user chooses: the stable name when there is one
    std::string device;  // the kernel's name (/dev/ttyUSB0); equals path when no stable name
    std::string description;
    std::string manufacturer;
    int vendorId = -1;  // USB vendor and product id, -1 when not a USB adapter
    int productId = -1;
    std::string serialNumber;
    bool inUse = false;  // the port the device pages open

    bool HasStableName() const { return path != device; }
};

// A stable name (/dev/serial/by-id/...) and the kernel name it points to.
struct StableName {
    std::string link;
    std::string target;
};

// Gives each port its stable name (the first, in name order, of those that
// point to it), sorts the list (stable names first, then the kernel names in
// natural order, so ttyUSB2 comes before ttyUSB10) and marks the port in use:
// the one whose stable or kernel name is `current`. A `current` that is in no
// entry but exists (a pseudo-terminal, a port the system does not list) is
// added at the end so the user sees what is chosen.
std::vector<SerialPortEntry> ArrangePorts(std::vector<SerialPortEntry> found,
                                          const std::vector<StableName>& stableNames,
                                          const std::string& current, bool currentExists);

// "0403:6001", or "" when the port is no USB adapter.
std::string UsbId(const SerialPortEntry& entry);

// One line per port for a terminal: a mark for the port in use, the path, then
// what is known of it. Text from the device's descriptors passes through
// EscapeControls.
std::string PortListText(const std::vector<SerialPortEntry>& ports);

// The port number under which `path` is stored: a com<N> entry that already
// holds it; N when the path is /dev/ttyUSB<N-1> (N 1-16) with no com<N> entry
// naming another device; otherwise the first number from 17 on with no
// com<N> entry, so COM 1-16 keep meaning what they meant. Returns the number
// and whether com<N>=<path> must be written.
std::pair<int, bool> ComNumberFor(const std::string& path, CIniFile& ini);

// Stores `path` as the port every device page opens: com<N>=<path> when
// needed, then port=N, in the settings and in config.ini (saved once). Returns
// the number; `saved` tells whether config.ini was written.
int StorePortPath(CAppConfig& config, CIniFile& ini, const std::string& path, bool& saved);

}  // namespace tavix
