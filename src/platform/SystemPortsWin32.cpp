// The port doctor's facts on Windows: a COM port has no file mode, owner or
// group to get wrong, so only its presence and the user are told.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/Paths.h"
#include "base/UserFolders.h"
#include "base/Win32Text.h"
#include "platform/SystemPorts.h"

namespace fs = std::filesystem;

namespace tavix {

PortFile LocalPortSystem::Stat(const std::string& path) const {
    PortFile file;
    std::error_code ec;
    file.exists = fs::exists(PathFromUtf8(path), ec);
    file.isCharDevice = file.exists;
    file.isRegular = fs::is_regular_file(PathFromUtf8(path), ec);
    file.resolved = ResolvedPortPath(path);
    return file;
}

bool LocalPortSystem::CanReadWrite(const std::string& path) const {
    (void)path;
    return true;
}

std::string LocalPortSystem::UserName() const {
    wchar_t name[257];
    DWORD size = 257;
    return ::GetUserNameW(name, &size) && size > 0 ? Utf8FromWide(std::wstring_view(name, size - 1))
                                                   : std::string("user");
}

std::string LocalPortSystem::GroupName(unsigned gid) const {
    return std::to_string(gid);
}

bool LocalPortSystem::HasGroupNow(unsigned gid) const {
    (void)gid;
    return true;
}

bool LocalPortSystem::GroupDatabaseListsUser(unsigned gid) const {
    (void)gid;
    return false;
}

int LocalPortSystem::OwnPid() const {
    return static_cast<int>(::GetCurrentProcessId());
}

std::optional<std::string> LocalPortSystem::ReadSmallFile(const std::string& path) const {
    std::error_code ec;
    if (!fs::is_regular_file(PathFromUtf8(path), ec)) {
        return std::nullopt;
    }
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text(kPortFactFileLimit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

bool PortHungUp(std::intptr_t) {
    return false;
}

}  // namespace tavix
