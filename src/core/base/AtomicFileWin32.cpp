// The atomic write on Windows: the bytes go to a hidden temporary beside the
// target, are flushed to the disk, and MoveFileExW gives them the target's
// name, replacing it or (for a new record file) only when the name is free.
// Windows has no unnamed files; a killed save leaves its temporary, which
// the next write into the folder removes (AtomicFile.cpp). Symbolic links are
// rare on Windows and need rights to make: a link under the name is replaced
// itself, not followed.
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/AtomicFile.h"
#include "base/AtomicFileParts.h"
#include "base/RegularFile.h"
#include "base/Win32Text.h"

namespace tavix {

namespace {

using namespace atomic_file_detail;

// A temporary being written; removed unless it got its final name.
struct Temporary {
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::wstring name;

    ~Temporary() {
        Close();
        if (!name.empty()) {
            ::DeleteFileW(name.c_str());
        }
    }
    void Close() {
        if (handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
            handle = INVALID_HANDLE_VALUE;
        }
    }
    void Keep() { name.clear(); }
};

// Writes every byte into a new temporary in `folder` and flushes it to the
// disk; false with the system's reason.
bool WriteTemporary(const std::string& folder, std::string_view data, Temporary& temp,
                    std::string& reason) {
    DWORD err = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && err == ERROR_FILE_EXISTS; ++attempt) {
        const std::wstring name = WideFromUtf8(TemporaryNameIn(folder));
        temp.handle = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (temp.handle != INVALID_HANDLE_VALUE) {
            temp.name = name;
            err = ERROR_SUCCESS;
        } else {
            err = ::GetLastError();
        }
    }
    if (err != ERROR_SUCCESS) {
        reason = SystemErrorText(err);
        return false;
    }
    std::size_t done = 0;
    while (done < data.size()) {
        constexpr std::size_t kMostAtOnce = 1u << 30;
        const DWORD chunk = static_cast<DWORD>(std::min(data.size() - done, kMostAtOnce));
        DWORD written = 0;
        if (!::WriteFile(temp.handle, data.data() + done, chunk, &written, nullptr)) {
            reason = SystemErrorText(::GetLastError());
            return false;
        }
        done += written;
    }
    if (!::FlushFileBuffers(temp.handle)) {
        reason = SystemErrorText(::GetLastError());
        return false;
    }
    temp.Close();
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view data, std::string* error) {
    const std::wstring target = WideFromUtf8(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // A folder or a device under the name stays as it is.
        std::string reason;
        if (!IsRegularFile(path, &reason)) {
            return Fail(error, reason);
        }
        // A read-only file is refused, as writing it in place would be; the
        // move below would otherwise replace it all the same.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            return Fail(error, std::strerror(EACCES));
        }
    }
    const std::string folder = FolderOf(path);
    RemoveStaleTemporaries(folder);
    Temporary temp;
    std::string reason;
    if (!WriteTemporary(folder, data, temp, reason)) {
        return Fail(error, reason);
    }
    if (!::MoveFileExW(temp.name.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Fail(error, SystemErrorText(::GetLastError()));
    }
    temp.Keep();
    return true;
}

CreateResult CreateFileAtomically(const std::string& path, std::string_view data,
                                  std::string* error) {
    const std::string folder = FolderOf(path);
    RemoveStaleTemporaries(folder);
    Temporary temp;
    std::string reason;
    if (!WriteTemporary(folder, data, temp, reason)) {
        Fail(error, reason);
        return CreateResult::Failed;
    }
    // Without MOVEFILE_REPLACE_EXISTING the move fails on a taken name.
    if (!::MoveFileExW(temp.name.c_str(), WideFromUtf8(path).c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS) {
            return CreateResult::NameTaken;
        }
        Fail(error, SystemErrorText(err));
        return CreateResult::Failed;
    }
    temp.Keep();
    return CreateResult::Created;
}

}  // namespace tavix
