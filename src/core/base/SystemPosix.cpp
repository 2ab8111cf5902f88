// The system's answers on Linux and other POSIX systems (see System.h).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/RegularFile.h"
#include "base/System.h"

namespace tavix {

namespace {

bool Refuse(std::string* error, const char* reason) {
    if (error != nullptr) {
        *error = reason;
    }
    return false;
}

}  // namespace

bool IsRegularFile(const std::string& path, std::string* error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return Refuse(error, std::strerror(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        return Refuse(error, kNotRegularFile);
    }
    return true;
}

std::FILE* OpenRegularFile(const std::string& path, std::string* error) {
    // Non-blocking, so that a FIFO opens at once instead of waiting for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        Refuse(error, std::strerror(errno));
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int err = errno;
        ::close(fd);
        Refuse(error, std::strerror(err));
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        Refuse(error, kNotRegularFile);
        return nullptr;
    }
    // Reads from a regular file never wait anyway; back to ordinary reads.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        const int err = errno;
        ::close(fd);
        Refuse(error, std::strerror(err));
    }
    return file;
}

EnvironmentLookup SystemEnvironment() {
    return [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (value == nullptr) {
            return std::nullopt;
        }
        return std::string(value);
    };
}

std::string ExecutableFolder() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}

UserFolders SystemUserFolders() {
    return XdgUserFolders(SystemEnvironment());
}

bool ToLocalTime(std::time_t seconds, std::tm& local) {
    return localtime_r(&seconds, &local) != nullptr;
}

char PathSeparator() {
    return '/';
}

std::optional<std::string> NumberedPortName(int) {
    return std::nullopt;
}

}  // namespace tavix
