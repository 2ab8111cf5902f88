#include "base/UserFolders.h"

#include "base/Paths.h"

namespace tavix {

namespace {

constexpr const char* kFolderName = "Tavix";

// A variable's value when it is set and not empty.
std::string Value(const EnvironmentLookup& env, const char* name) {
    return env(name).value_or(std::string());
}

// An XDG base folder: the variable's value when it is an absolute path (the
// rules say a relative one is to be ignored), else `fallback` under HOME.
std::string XdgBase(const EnvironmentLookup& env, const char* variable, const std::string& home,
                    const char* fallback) {
    const std::string value = Value(env, variable);
    if (value.starts_with('/')) {
        return value;
    }
    return home.empty() ? std::string() : JoinPathWith(home, fallback, '/');
}

}  // namespace

UserFolders XdgUserFolders(const EnvironmentLookup& env) {
    const std::string home = Value(env, "HOME");
    UserFolders folders;
    if (const std::string config = XdgBase(env, "XDG_CONFIG_HOME", home, ".config");
        !config.empty()) {
        folders.config = JoinPathWith(config, kFolderName, '/');
    }
    if (const std::string data = XdgBase(env, "XDG_DATA_HOME", home, ".local/share");
        !data.empty()) {
        folders.data = JoinPathWith(data, kFolderName, '/');
    }
    return folders;
}

UserFolders WindowsUserFolders(const EnvironmentLookup& env) {
    std::string local = Value(env, "LOCALAPPDATA");
    if (local.empty()) {
        if (const std::string profile = Value(env, "USERPROFILE"); !profile.empty()) {
            local = JoinPathWith(profile, "AppData\\Local", '\\');
        }
    }
    if (local.empty()) {
        return {};
    }
    const std::string folder = JoinPathWith(local, kFolderName, '\\');
    return UserFolders{folder, folder};
}

}  // namespace tavix
