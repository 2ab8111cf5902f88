#pragma once
// The machine's own serial ports and port facts: QSerialPortInfo for the
// adapters, /dev/serial/by-id for their stable names, and /proc, the group
// database and the lock directories for the port doctor.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/PortDoctor.h"
#include "link/PortSystem.h"
#include "link/SerialPorts.h"

namespace tavix {

class LocalPortSystem : public PortSystem {
public:
    PortFile Stat(const std::string& path) const override;
    bool CanReadWrite(const std::string& path) const override;
    std::string UserName() const override;
    std::string GroupName(unsigned gid) const override;
    bool HasGroupNow(unsigned gid) const override;
    bool GroupDatabaseListsUser(unsigned gid) const override;
    std::vector<ProcessEntry> Processes() const override;
    int OwnPid() const override;
    std::vector<std::string> ListDirectory(const std::string& dir) const override;
    std::optional<std::string> ReadSmallFile(const std::string& path) const override;
};

// The canonical path of `path` (links followed), or `path` itself when it has none.
std::string ResolvedPortPath(const std::string& path);

// The most of a port fact file (a lock file, /proc/<pid>/comm) that is read.
inline constexpr std::size_t kPortFactFileLimit = 4096;

// The ports present, arranged for a list (stable names first, `current`
// marked; see ArrangePorts). Needs no Qt application object.
std::vector<SerialPortEntry> SystemSerialPorts(const std::string& current);

// The doctor's report on `port` for this machine.
PortReport DiagnoseLocalPort(const std::string& port);

// The far end of the open port `handle` hung up: the pseudo-terminal's device
// closed it, which reads as an endless end of file rather than an error.
// Windows reports a pulled adapter as an error instead, so there it is false.
bool PortHungUp(std::intptr_t handle);

}  // namespace tavix
