// The atomic write on Linux and other POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/AtomicFileParts.h"
#include "base/RegularFile.h"

namespace tavix {

namespace {

using namespace atomic_file_detail;
namespace fs = std::filesystem;

// A file being written: unnamed (O_TMPFILE) where the system has them, else
// a hidden temporary name.
struct Temporary {
    int fd = -1;
    std::string name;  // empty while unnamed

    ~Temporary() {
        if (fd >= 0) {
            ::close(fd);
        }
        if (!name.empty()) {
            ::unlink(name.c_str());
        }
    }
    // The file now has its final name: nothing to remove any more.
    void Keep() { name.clear(); }
};

bool OpenTemporary(const std::string& folder, Temporary& temp, int& err) {
#ifdef O_TMPFILE
    if (atomic_file_detail::useUnnamedTemporaries) {
        temp.fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (temp.fd >= 0) {
            return true;
        }
    }
#endif
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = TemporaryNameIn(folder);
        temp.fd = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (temp.fd >= 0) {
            temp.name = name;
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    err = errno;
    return false;
}

// Every byte written and on the disk.
bool WriteAndSync(int fd, std::string_view data, int& err) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            err = errno;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        err = errno;
        return false;
    }
    return true;
}

// Links an unnamed temporary as `name`. EEXIST when the name is taken.
bool LinkUnnamed(int fd, const std::string& name, int& err) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    err = errno;
    return false;
}

// Gives an unnamed temporary a hidden name, so that it can be renamed over a target.
bool NameTemporary(const std::string& folder, Temporary& temp, int& err) {
    if (!temp.name.empty()) {
        return true;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = TemporaryNameIn(folder);
        if (LinkUnnamed(temp.fd, name, err)) {
            temp.name = name;
            return true;
        }
        if (err != EEXIST) {
            return false;
        }
    }
    return false;
}

// Moves the named temporary to `path` unless `path` exists.
bool RenameNoReplace(const std::string& from, const std::string& to, int& err) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        err = errno;
        return false;
    }
#endif
    // A file system without the flag: a hard link fails on a taken name too.
    if (::link(from.c_str(), to.c_str()) != 0) {
        err = errno;
        return false;
    }
    ::unlink(from.c_str());
    return true;
}

// The folder's entry is on the disk too.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Whether a symbolic link may redirect a write: only a link owned by the
// user running the program or by root is followed. This is the kernel's
// protected-symlinks rule for shared sticky folders, applied everywhere, so
// a link another user planted (in /tmp, in a shared folder) can never make a
// run, above all a root run, write over a file elsewhere.
bool MayFollow(const struct stat& link) {
    return link.st_uid == ::geteuid() || link.st_uid == 0;
}

// The file to replace: a symbolic link is followed link by link under the
// rule above, so the link stays and the file it names gets the new contents
// (a dangling link is replaced itself). False, with `error` set, when a link
// may not be followed or the links go round in a circle.
bool TargetOf(const std::string& path, std::string& target, std::string* error) {
    constexpr int kMostLinks = 40;  // as many as the kernel follows
    std::string current = path;
    for (int hop = 0; hop <= kMostLinks; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            // The name is free: a new file, or a dangling link to replace.
            target = path;
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            target = current;
            return true;
        }
        if (!MayFollow(info)) {
            return Fail(error, kLinkOfAnotherUser);
        }
        std::error_code ec;
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) {
            return Fail(error, ec.message());
        }
        current =
            next.is_absolute() ? next.string() : (fs::path(current).parent_path() / next).string();
    }
    return Fail(error, std::strerror(ELOOP));
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view data, std::string* error) {
    std::string target;
    if (!TargetOf(path, target, error)) {
        return false;
    }
    std::error_code ec;
    const fs::file_status existing = fs::symlink_status(target, ec);
    const bool exists = !ec && fs::exists(existing);
    if (exists && !fs::is_regular_file(existing)) {
        // The rename would put a file where a device, a FIFO or a folder was
        // (run as root, /dev/null would become a file).
        return Fail(error, kNotRegularFile);
    }
    if (exists) {
        // A file the user may not write to (read-only) is refused, as writing
        // it in place would be; the rename below would otherwise replace it
        // all the same.
        std::FILE* probe = std::fopen(target.c_str(), "r+b");
        if (probe == nullptr) {
            return Fail(error, std::strerror(errno));
        }
        std::fclose(probe);
    }

    const std::string folder = FolderOf(target);
    RemoveStaleTemporaries(folder);
    Temporary temp;
    int err = 0;
    if (!OpenTemporary(folder, temp, err) || !WriteAndSync(temp.fd, data, err)) {
        return Fail(error, std::strerror(err != 0 ? err : EIO));
    }
    if (exists) {
        // The new file keeps the old one's permissions (best effort).
        ::fchmod(temp.fd, static_cast<mode_t>(existing.permissions()) & 07777);
    }
    if (!NameTemporary(folder, temp, err)) {
        return Fail(error, std::strerror(err != 0 ? err : EIO));
    }
    if (::rename(temp.name.c_str(), target.c_str()) != 0) {
        return Fail(error, std::strerror(errno));
    }
    temp.Keep();
    SyncFolder(folder);
    return true;
}

CreateResult CreateFileAtomically(const std::string& path, std::string_view data,
                                  std::string* error) {
    const std::string folder = FolderOf(path);
    RemoveStaleTemporaries(folder);
    Temporary temp;
    int err = 0;
    if (!OpenTemporary(folder, temp, err) || !WriteAndSync(temp.fd, data, err)) {
        Fail(error, std::strerror(err != 0 ? err : EIO));
        return CreateResult::Failed;
    }
    bool linked = false;
    if (temp.name.empty()) {
        linked = LinkUnnamed(temp.fd, path, err);
        if (!linked && err != EEXIST) {
            // No /proc to link through: name it and move it instead.
            if (!NameTemporary(folder, temp, err)) {
                Fail(error, std::strerror(err));
                return CreateResult::Failed;
            }
        }
    }
    if (!linked && !temp.name.empty()) {
        linked = RenameNoReplace(temp.name, path, err);
        if (linked) {
            temp.Keep();
        }
    }
    if (!linked) {
        if (err == EEXIST) {
            return CreateResult::NameTaken;
        }
        Fail(error, std::strerror(err));
        return CreateResult::Failed;
    }
    SyncFolder(folder);
    return CreateResult::Created;
}

}  // namespace tavix
