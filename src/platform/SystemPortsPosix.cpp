// The port doctor's facts on Linux: file modes, the user and group
// databases, and the process table.
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/SystemPorts.h"

namespace tavix {

PortFile LocalPortSystem::Stat(const std::string& path) const {
    PortFile file;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return file;
    }
    file.exists = true;
    file.isCharDevice = S_ISCHR(info.st_mode);
    file.isRegular = S_ISREG(info.st_mode);
    file.mode = static_cast<unsigned>(info.st_mode) & 07777u;
    file.ownerUid = info.st_uid;
    file.groupId = info.st_gid;
    file.resolved = ResolvedPortPath(path);
    return file;
}

bool LocalPortSystem::CanReadWrite(const std::string& path) const {
    return ::access(path.c_str(), R_OK | W_OK) == 0;
}

std::string LocalPortSystem::UserName() const {
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_name != nullptr) {
        return pw->pw_name;
    }
    return std::to_string(::getuid());
}

std::string LocalPortSystem::GroupName(unsigned gid) const {
    if (const group* gr = ::getgrgid(gid); gr != nullptr && gr->gr_name != nullptr) {
        return gr->gr_name;
    }
    return std::to_string(gid);
}

bool LocalPortSystem::HasGroupNow(unsigned gid) const {
    if (::getegid() == gid) {
        return true;
    }
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) {
        return false;
    }
    std::vector<gid_t> list(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, list.data());
    return got > 0 && std::find(list.begin(), list.begin() + got, gid) != list.begin() + got;
}

bool LocalPortSystem::GroupDatabaseListsUser(unsigned gid) const {
    const passwd* pw = ::getpwuid(::getuid());
    if (pw == nullptr || pw->pw_name == nullptr) {
        return false;
    }
    if (pw->pw_gid == gid) {
        return true;
    }
    const std::string user = pw->pw_name;
    const group* gr = ::getgrgid(gid);
    if (gr == nullptr) {
        return false;
    }
    for (char** member = gr->gr_mem; member != nullptr && *member != nullptr; ++member) {
        if (user == *member) {
            return true;
        }
    }
    return false;
}

int LocalPortSystem::OwnPid() const {
    return static_cast<int>(::getpid());
}

std::optional<std::string> LocalPortSystem::ReadSmallFile(const std::string& path) const {
    // Opened without waiting and read only when it is a plain file: a FIFO in
    // a lock folder must not hang the doctor.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string text(kPortFactFileLimit, '\0');
    const ssize_t got = ::read(fd, text.data(), text.size());
    ::close(fd);
    if (got < 0) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(got));
    return text;
}

bool PortHungUp(std::intptr_t handle) {
    pollfd watch{static_cast<int>(handle), POLLIN, 0};
    return ::poll(&watch, 1, 0) == 1 && (watch.revents & POLLHUP) != 0;
}

}  // namespace tavix
