#include "base/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

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

bool ReadRegularFile(const std::string& path, std::size_t limit, std::string& bytes,
                     std::string* error) {
    bytes.clear();
    std::FILE* file = OpenRegularFile(path, error);
    if (file == nullptr) {
        return false;
    }
    char chunk[16384];
    bool failed = false;
    bool tooLarge = false;
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (bytes.size() + got > limit) {
            tooLarge = true;
            break;
        }
        bytes.append(chunk, got);
        if (got < sizeof chunk) {
            failed = std::ferror(file) != 0;
            break;
        }
    }
    const int readErrno = errno;
    std::fclose(file);
    if (tooLarge) {
        bytes.clear();
        return Refuse(error, kFileTooLarge);
    }
    if (failed) {
        bytes.clear();
        return Refuse(error, std::strerror(readErrno != 0 ? readErrno : EIO));
    }
    return true;
}

bool SameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    if (a.empty() || b.empty()) {
        return false;
    }
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) {
        return true;
    }
    std::error_code ecA;
    std::error_code ecB;
    const fs::path left = fs::absolute(a, ecA).lexically_normal();
    const fs::path right = fs::absolute(b, ecB).lexically_normal();
    return !ecA && !ecB && left == right;
}

}  // namespace tavix
