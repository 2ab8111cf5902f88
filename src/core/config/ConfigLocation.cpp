#include "config/ConfigLocation.h"

#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/RegularFile.h"
#include "base/System.h"
#include "base/UserFolders.h"
#include "config/CIniFile.h"

namespace tavix {

namespace {

namespace fs = std::filesystem;

// Something has the name: a file, a folder, even a dangling link. What it is
// and whether it can be read is the load's to say.
bool Taken(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(PathFromUtf8(path), ec));
}

ConfigChoice Named(const std::string& path) {
    ConfigChoice choice;
    choice.path = path;
    return choice;
}

}  // namespace

ConfigChoice ChooseConfigFile(const ConfigPlaces& places) {
    if (!places.option.empty()) {
        return Named(places.option);
    }
    const ConfigChoice working = Named(places.workingFile);
    if (Taken(places.workingFile) || places.userFolder.empty()) {
        return working;
    }
    ConfigChoice user = Named(JoinPath(places.userFolder, kConfigFileName));
    user.userFile = true;
    if (Taken(user.path)) {
        return user;
    }
    std::string bytes;
    std::string reason;
    for (const std::string& candidate : places.defaults) {
        if (!IsRegularFile(candidate)) {
            continue;
        }
        if (!ReadRegularFile(candidate, CIniFile::kMaxFileSize, bytes, &reason)) {
            user.error = candidate + ": " + reason;
            return user;
        }
        std::error_code ec;
        fs::create_directories(PathFromUtf8(places.userFolder), ec);
        if (ec) {
            user.error = places.userFolder + ": " + ec.message();
            return user;
        }
        // Another run may make it at the same moment: its copy is as good.
        if (CreateFileAtomically(user.path, bytes, &reason) == CreateResult::Failed) {
            user.error = user.path + ": " + reason;
            return user;
        }
        user.madeFrom = candidate;
        return user;
    }
    return working;
}

std::vector<std::string> ShippedFileCandidates(const std::string& executableFolder,
                                               const char* name) {
    if (executableFolder.empty()) {
        return {};
    }
    const fs::path share = PathFromUtf8(executableFolder).parent_path() / "share" / "tavix";
    return {JoinPath(Utf8FromPath(share), name), JoinPath(executableFolder, name)};
}

std::vector<std::string> DefaultConfigCandidates(const std::string& executableFolder) {
    return ShippedFileCandidates(executableFolder, kConfigFileName);
}

ConfigPlaces SystemConfigPlaces(const std::string& option) {
    return ConfigPlaces{option, kConfigFileName, SystemUserFolders().config,
                        DefaultConfigCandidates(ExecutableFolder())};
}

}  // namespace tavix
