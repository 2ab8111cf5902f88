#include "base/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace tavix {

namespace {

namespace fs = std::filesystem;

std::string TemporaryNameFor(const std::string& path) {
    static std::mt19937 generator{std::random_device{}()};
    return path + ".tmp" + std::to_string(generator() % 1000000u);
}

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr) {
        *error = reason;
    }
    return false;
}

// The file to replace: a symbolic link is followed, so the link stays and the
// file it names gets the new contents (a dangling link is replaced itself).
std::string TargetOf(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) {
        const fs::path resolved = fs::canonical(path, ec);
        if (!ec) {
            return resolved.string();
        }
    }
    return path;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view data, std::string* error) {
    const std::string target = TargetOf(path);
    std::error_code ec;
    const fs::file_status existing = fs::status(target, ec);
    const bool exists = !ec && fs::exists(existing);
    if (exists) {
        // A file the user may not write to (read-only, or not a file at all)
        // is refused, as writing it in place would be; the rename below would
        // otherwise replace it all the same.
        std::FILE* probe = std::fopen(target.c_str(), "r+b");
        if (probe == nullptr) {
            return Fail(error, std::strerror(errno));
        }
        std::fclose(probe);
    }

    const std::string temporary = TemporaryNameFor(target);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return Fail(error, std::strerror(errno));
    }
    const std::size_t written = data.empty() ? 0 : std::fwrite(data.data(), 1, data.size(), file);
    int writeErrno = written == data.size() ? 0 : errno;
    if (std::fflush(file) != 0 && writeErrno == 0) {
        writeErrno = errno != 0 ? errno : EIO;
    }
    if (std::fclose(file) != 0 && writeErrno == 0) {
        writeErrno = errno != 0 ? errno : EIO;
    }
    if (written != data.size() || writeErrno != 0) {
        std::remove(temporary.c_str());
        return Fail(error, std::strerror(writeErrno != 0 ? writeErrno : EIO));
    }
    if (exists) {
        // The new file keeps the old one's permissions (best effort).
        fs::permissions(temporary, existing.permissions(), fs::perm_options::replace, ec);
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return Fail(error, ec.message());
    }
    return true;
}

}  // namespace tavix
