#include "shell/ComPortChoice.h"

#include <cstdio>

#include "shell/ShellTexts.h"

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
    applyEnabled_ = true;
}

void ComPortChoice::Store() {
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
