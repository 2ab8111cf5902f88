#pragma once
// A made-up machine for the port doctor: device files, one user with her
// groups, a process table with open files, lock files.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "link/PortSystem.h"

namespace tavix::test {

class FakePortSystem : public PortSystem {
public:
    std::map<std::string, PortFile> files;
    std::set<std::string> readWrite;  // paths this user may open
    std::string user = "ann";
    std::map<unsigned, std::string> groups = {{0, "root"}, {20, "dialout"}};
    std::set<unsigned> groupsNow;
    std::set<unsigned> groupsInDatabase;
    std::vector<ProcessEntry> processes;
    int ownPid = 4000;
    std::map<std::string, std::vector<std::string>> dirs;
    std::map<std::string, std::string> contents;

    // A serial port owned by root:dialout, crw-rw----.
    void AddPort(const std::string& path, const std::string& resolved = "") {
        PortFile file;
        file.exists = true;
        file.isCharDevice = true;
        file.resolved = resolved.empty() ? path : resolved;
        file.mode = 0660;
        file.groupId = 20;
        files[path] = file;
        if (!resolved.empty()) {
            files[resolved] = file;
        }
    }
    void AddLockDir(const std::string& dir) {
        PortFile file;
        file.exists = true;
        file.resolved = dir;
        files[dir] = file;
        dirs[dir];
    }

    PortFile Stat(const std::string& path) const override {
        const auto it = files.find(path);
        return it == files.end() ? PortFile{} : it->second;
    }
    bool CanReadWrite(const std::string& path) const override { return readWrite.count(path) > 0; }
    std::string UserName() const override { return user; }
    std::string GroupName(unsigned gid) const override {
        const auto it = groups.find(gid);
        return it == groups.end() ? std::to_string(gid) : it->second;
    }
    bool HasGroupNow(unsigned gid) const override { return groupsNow.count(gid) > 0; }
    bool GroupDatabaseListsUser(unsigned gid) const override {
        return groupsInDatabase.count(gid) > 0;
    }
    std::vector<ProcessEntry> Processes() const override { return processes; }
    int OwnPid() const override { return ownPid; }
    std::vector<std::string> ListDirectory(const std::string& dir) const override {
        const auto it = dirs.find(dir);
        return it == dirs.end() ? std::vector<std::string>{} : it->second;
    }
    std::optional<std::string> ReadSmallFile(const std::string& path) const override {
        const auto it = contents.find(path);
        if (it == contents.end()) {
            return std::nullopt;
        }
        return it->second;
    }
};

}  // namespace tavix::test
