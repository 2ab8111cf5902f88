#include "base/RegularFile.h"

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
