#pragma once
// The File menu's list of the five record files opened last, newest first.
// The list itself is kept in the per-user settings by the window; this class
// holds the order rules.

#include <string>
#include <vector>

namespace tavix {

class RecentFileList {
public:
    explicit RecentFileList(int size = 5) : size_(size) {}

    // Replaces the list with stored entries (File1 first), dropping empty and
    // repeated ones and any beyond the list's size.
    void Assign(const std::vector<std::string>& stored);
    // A file was opened or saved: it moves to the top.
    void Add(const std::string& path);
    // A file could not be opened: it leaves the list.
    void Remove(const std::string& path);

    const std::vector<std::string>& Entries() const { return entries_; }
    int Size() const { return size_; }

private:
    int size_;
    std::vector<std::string> entries_;
};

}  // namespace tavix
