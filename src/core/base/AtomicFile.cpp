#include "base/AtomicFile.h"

#include <chrono>
#include <filesystem>
#include <random>
#include <system_error>

#include "base/AtomicFileParts.h"
#include "base/Paths.h"

namespace tavix::atomic_file_detail {

bool useUnnamedTemporaries = true;

namespace {

namespace fs = std::filesystem;

// How old a hidden temporary must be before a later write removes it: a save
// in progress in another program's run is never that slow.
constexpr auto kStaleTemporaryAge = std::chrono::minutes(1);

}  // namespace

bool Fail(std::string* error, const std::string& reason) {
    if (error != nullptr) {
        *error = reason;
    }
    return false;
}

std::string FolderOf(const std::string& path) {
    const std::size_t end = PathSeparator() == '/' ? path.rfind('/') : path.find_last_of("/\\");
    if (end == std::string::npos) {
        return ".";
    }
    return end == 0 ? path.substr(0, 1) : path.substr(0, end);
}

std::string TemporaryNameIn(const std::string& folder) {
    static std::mt19937 generator{std::random_device{}()};
    return JoinPath(folder, kTemporaryPrefix + std::to_string(generator() % 1000000u));
}

void RemoveStaleTemporaries(const std::string& folder) {
    std::error_code ec;
    fs::directory_iterator it(PathFromUtf8(folder), ec);
    const auto now = fs::file_time_type::clock::now();
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kTemporaryPrefix, 0) != 0) {
            continue;
        }
        std::error_code entryEc;
        if (!it->is_regular_file(entryEc) || it->is_symlink(entryEc)) {
            continue;
        }
        const auto written = fs::last_write_time(it->path(), entryEc);
        if (!entryEc && now - written > kStaleTemporaryAge) {
            fs::remove(it->path(), entryEc);
        }
    }
}

}  // namespace tavix::atomic_file_detail
