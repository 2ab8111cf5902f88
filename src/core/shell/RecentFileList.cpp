#include "shell/RecentFileList.h"

#include <algorithm>

namespace tavix {

void RecentFileList::Assign(const std::vector<std::string>& stored) {
    entries_.clear();
    for (const auto& path : stored) {
        if (static_cast<int>(entries_.size()) >= size_) {
            break;
        }
        if (!path.empty() && std::find(entries_.begin(), entries_.end(), path) == entries_.end()) {
            entries_.push_back(path);
        }
    }
}

void RecentFileList::Add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    Remove(path);
    entries_.insert(entries_.begin(), path);
    if (static_cast<int>(entries_.size()) > size_) {
        entries_.resize(static_cast<std::size_t>(size_));
    }
}

void RecentFileList::Remove(const std::string& path) {
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
}

}  // namespace tavix
