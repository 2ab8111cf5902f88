// The system's answers on Windows (see System.h). The program's texts are
// UTF-8; Windows speaks UTF-16 through its wide functions.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/RegularFile.h"
#include "base/System.h"
#include "base/Win32Text.h"

namespace tavix {

std::wstring WideFromUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          size);
    return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                          nullptr, nullptr);
    return utf8;
}

std::string SystemErrorText(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD got = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = got > 0 && buffer != nullptr ? std::wstring(buffer, got) : std::wstring();
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.')) {
        text.pop_back();
    }
    return text.empty() ? "Windows error " + std::to_string(code) : Utf8FromWide(text);
}

namespace {

bool Refuse(std::string* error, const std::string& reason) {
    if (error != nullptr) {
        *error = reason;
    }
    return false;
}

// The reason for a failed open in the words the other systems use for the
// common cases, so that a message reads the same everywhere.
std::string OpenFailure(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
            return std::strerror(ENOENT);
        case ERROR_ACCESS_DENIED:
            return std::strerror(EACCES);
        default:
            return SystemErrorText(code);
    }
}

// Opens `path` for reading without following it into a wait: a pipe or a
// device opens at once and is told apart by its type; a folder opens too
// (backup semantics) so that it can be refused as not a file.
HANDLE OpenForCheck(const std::string& path, DWORD access) {
    return ::CreateFileW(WideFromUtf8(path).c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A file on a disk, not a folder, pipe or device.
bool IsRegularHandle(HANDLE handle) {
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileInformationByHandle(handle, &info) != 0 &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

bool IsRegularFile(const std::string& path, std::string* error) {
    const HANDLE handle = OpenForCheck(path, 0);
    if (handle == INVALID_HANDLE_VALUE) {
        return Refuse(error, OpenFailure(::GetLastError()));
    }
    const bool regular = IsRegularHandle(handle);
    ::CloseHandle(handle);
    return regular || Refuse(error, kNotRegularFile);
}

std::FILE* OpenRegularFile(const std::string& path, std::string* error) {
    const HANDLE handle = OpenForCheck(path, GENERIC_READ);
    if (handle == INVALID_HANDLE_VALUE) {
        Refuse(error, OpenFailure(::GetLastError()));
        return nullptr;
    }
    if (!IsRegularHandle(handle)) {
        ::CloseHandle(handle);
        Refuse(error, kNotRegularFile);
        return nullptr;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        Refuse(error, std::strerror(errno));
        return nullptr;
    }
    std::FILE* file = ::_fdopen(fd, "rb");
    if (file == nullptr) {
        Refuse(error, std::strerror(errno));
        ::_close(fd);
    }
    return file;
}

EnvironmentLookup SystemEnvironment() {
    return [](const char* name) -> std::optional<std::string> {
        const std::wstring wide = WideFromUtf8(name);
        const DWORD size = ::GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
        if (size == 0) {
            return std::nullopt;
        }
        std::wstring value(size, L'\0');
        const DWORD got = ::GetEnvironmentVariableW(wide.c_str(), value.data(), size);
        value.resize(got);
        return Utf8FromWide(value);
    };
}

std::string ExecutableFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD got =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (got == 0) {
            return {};
        }
        if (got < path.size()) {
            std::wstring file(path.data(), got);
            const std::size_t slash = file.find_last_of(L"\\/");
            return slash == std::wstring::npos ? std::string()
                                               : Utf8FromWide(file.substr(0, slash));
        }
        path.resize(path.size() * 2);
    }
}

UserFolders SystemUserFolders() {
    return WindowsUserFolders(SystemEnvironment());
}

bool ToLocalTime(std::time_t seconds, std::tm& local) {
    return localtime_s(&local, &seconds) == 0;
}

char PathSeparator() {
    return '\\';
}

std::optional<std::string> NumberedPortName(int number) {
    return "COM" + std::to_string(number);
}

}  // namespace tavix
