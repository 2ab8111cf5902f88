#include "platform/SystemPorts.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace tavix {

namespace {

constexpr const char* kStableNameDir = "/dev/serial/by-id";

}  // namespace

std::string ResolvedPortPath(const std::string& path) {
    std::error_code ec;
    const fs::path canonical = fs::canonical(path, ec);
    return ec ? path : canonical.string();
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

std::vector<std::string> LocalPortSystem::ListDirectory(const std::string& dir) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
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
        links.push_back({link.path().string(), ResolvedPortPath(link.path().string())});
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
