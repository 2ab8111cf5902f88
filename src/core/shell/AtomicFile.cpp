#include "shell/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace tavix {

namespace {

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

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view data, std::string* error) {
    const std::string temporary = TemporaryNameFor(path);
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
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return Fail(error, ec.message());
    }
    return true;
}

}  // namespace tavix
