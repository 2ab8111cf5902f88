#pragma once
// What the port doctor asks of the operating system: the device file, the
// user's groups, the processes and their open files, lock files. The real one
// reads /dev, /proc and the group database; tests give a made-up machine.

#include <optional>
#include <string>
#include <vector>

namespace tavix {

struct PortFile {
    bool exists = false;
    bool isCharDevice = false;
    std::string resolved;  // the path with every link followed
    unsigned mode = 0;     // permission bits
    unsigned ownerUid = 0;
    unsigned groupId = 0;
    bool isRegular = false;  // a plain file (a lock file must be one)
};

struct ProcessEntry {
    int pid = 0;
    std::string name;                    // as in /proc/<pid>/comm
    std::vector<std::string> openFiles;  // where its file descriptors point
    bool filesReadable = true;           // false: another user's process, not looked into
};

class PortSystem {
public:
    virtual ~PortSystem() = default;
    virtual PortFile Stat(const std::string& path) const = 0;
    // Whether this process may open `path` for reading and writing.
    virtual bool CanReadWrite(const std::string& path) const = 0;
    virtual std::string UserName() const = 0;
    virtual std::string GroupName(unsigned gid) const = 0;
    // The groups this process has now (fixed at login).
    virtual bool HasGroupNow(unsigned gid) const = 0;
    // The group database lists the user as a member (perhaps since the last login).
    virtual bool GroupDatabaseListsUser(unsigned gid) const = 0;
    virtual std::vector<ProcessEntry> Processes() const = 0;
    virtual int OwnPid() const = 0;
    virtual std::vector<std::string> ListDirectory(const std::string& dir) const = 0;
    // The start of a regular file; nothing for another kind of file (a FIFO
    // would block the reader) or one that cannot be read. Never blocks.
    virtual std::optional<std::string> ReadSmallFile(const std::string& path) const = 0;
};

}  // namespace tavix
