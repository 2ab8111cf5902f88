#include "platform/SystemPorts.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace tavix {

namespace {

constexpr const char* kStableNameDir = "/dev/serial/by-id";
constexpr std::size_t kSmallFileLimit = 4096;

std::string Resolved(const std::string& path) {
    std::error_code ec;
    const fs::path canonical = fs::canonical(path, ec);
    return ec ? path : canonical.string();
}

}  // namespace

PortFile LocalPortSystem::Stat(const std::string& path) const {
    PortFile file;
#ifndef _WIN32
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
#else
    std::error_code ec;
    file.exists = fs::exists(path, ec);
    file.isCharDevice = file.exists;
    file.isRegular = fs::is_regular_file(path, ec);
#endif
    file.resolved = Resolved(path);
    return file;
}

bool LocalPortSystem::CanReadWrite(const std::string& path) const {
#ifndef _WIN32
    return ::access(path.c_str(), R_OK | W_OK) == 0;
#else
    (void)path;
    return true;
#endif
}

std::string LocalPortSystem::UserName() const {
#ifndef _WIN32
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_name != nullptr) {
        return pw->pw_name;
    }
    return std::to_string(::getuid());
#else
    return "user";
#endif
}

std::string LocalPortSystem::GroupName(unsigned gid) const {
#ifndef _WIN32
    if (const group* gr = ::getgrgid(gid); gr != nullptr && gr->gr_name != nullptr) {
        return gr->gr_name;
    }
#endif
    return std::to_string(gid);
}

bool LocalPortSystem::HasGroupNow(unsigned gid) const {
#ifndef _WIN32
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
#else
    (void)gid;
    return true;
#endif
}

bool LocalPortSystem::GroupDatabaseListsUser(unsigned gid) const {
#ifndef _WIN32
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
#else
    (void)gid;
#endif
    return false;
}

std::vector<ProcessEntry> LocalPortSystem::Processes() const {
    std::vector<ProcessEntry> table;
    std::error_code ec;
    for (const fs::directory_entry& dir : fs::directory_iterator("/proc", ec)) {
        const std::string name = dir.path().filename().string();
        if (name.empty() ||
            !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            continue;
        }
        ProcessEntry process;
        process.pid = std::stoi(name);
        std::string comm = ReadSmallFile(dir.path().string() + "/comm").value_or("");
        while (!comm.empty() && (comm.back() == '\n' || comm.back() == '\r')) {
            comm.pop_back();
        }
        process.name = comm;
        std::error_code fdError;
        fs::directory_iterator fds(dir.path() / "fd", fdError);
        if (fdError) {
            process.filesReadable = false;
        } else {
            for (const fs::directory_entry& fd : fds) {
                std::error_code linkError;
                const fs::path target = fs::read_symlink(fd.path(), linkError);
                if (!linkError) {
                    process.openFiles.push_back(target.string());
                }
            }
        }
        table.push_back(std::move(process));
    }
    return table;
}

int LocalPortSystem::OwnPid() const {
#ifndef _WIN32
    return static_cast<int>(::getpid());
#else
    return 0;
#endif
}

std::vector<std::string> LocalPortSystem::ListDirectory(const std::string& dir) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> LocalPortSystem::ReadSmallFile(const std::string& path) const {
#ifndef _WIN32
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
    std::string text(kSmallFileLimit, '\0');
    const ssize_t got = ::read(fd, text.data(), text.size());
    ::close(fd);
    if (got < 0) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(got));
    return text;
#else
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text(kSmallFileLimit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
#endif
}

std::vector<SerialPortEntry> SystemSerialPorts(const std::string& current) {
    std::vector<SerialPortEntry> found;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        SerialPortEntry entry;
        entry.device = info.systemLocation().toStdString();
        entry.description = info.description().toStdString();
        entry.manufacturer = info.manufacturer().toStdString();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            entry.vendorId = info.vendorIdentifier();
            entry.productId = info.productIdentifier();
        }
        entry.serialNumber = info.serialNumber().toStdString();
        found.push_back(std::move(entry));
    }
    std::vector<StableName> links;
    std::error_code ec;
    for (const fs::directory_entry& link : fs::directory_iterator(kStableNameDir, ec)) {
        links.push_back({link.path().string(), Resolved(link.path().string())});
    }
    bool currentExists = false;
    if (!current.empty()) {
        std::error_code existsError;
        currentExists = fs::exists(current, existsError);
    }
    return ArrangePorts(std::move(found), links, current, currentExists);
}

PortReport DiagnoseLocalPort(const std::string& port) {
    LocalPortSystem system;
    return DiagnosePort(system, port, SystemSerialPorts(port));
}

}  // namespace tavix
