#include "shell/ComPortChoice.h"

#include <cstdio>

#include "shell/ShellMessages.h"

namespace tavix {

ComPortChoice::ComPortChoice(int storedPort, StoreFn store)
    : storedPort_(storedPort), store_(std::move(store)) {
    if (storedPort >= 1 && storedPort <= kEntryCount) {
        selection_ = storedPort - 1;
    }
}

std::string ComPortChoice::EntryText(int entry) {
    char text[16];
    std::snprintf(text, sizeof text, kComEntryFormat, entry + 1);
    return text;
}

void ComPortChoice::Select(int entry) {
    if (entry < 0 || entry >= kEntryCount) {
        return;
    }
    selection_ = entry;
    selectedPath_.clear();
    applyEnabled_ = true;
}

void ComPortChoice::SelectPath(const std::string& path, int number) {
    if (path.empty()) {
        return;
    }
    selectedPath_ = path;
    selection_ = number >= 1 && number <= kEntryCount ? number - 1 : -1;
    applyEnabled_ = true;
}

void ComPortChoice::Store() {
    if (!selectedPath_.empty() && storePath_) {
        storedPort_ = storePath_(selectedPath_);
        selection_ = storedPort_ >= 1 && storedPort_ <= kEntryCount ? storedPort_ - 1 : -1;
        return;
    }
    if (selection_ < 0) {
        return;
    }
    storedPort_ = selection_ + 1;
    if (store_) {
        store_(storedPort_);
    }
}

void ComPortChoice::Apply() {
    Store();
    applyEnabled_ = false;
}

void ComPortChoice::Ok() {
    Store();
}

}  // namespace tavix
