#include "shell/TabOrder.h"

namespace tavix {

TabOrder::TabOrder(int count) : enabled_(static_cast<std::size_t>(count > 0 ? count : 1), 1) {}

int TabOrder::Slot(int index) const {
    const int n = Count();
    const int slot = index % n;
    return slot < 0 ? slot + n : slot;
}

void TabOrder::EnableTab(int index, bool enabled) {
    enabled_[Slot(index)] = enabled ? 1 : 0;
}

bool TabOrder::IsTabEnabled(int index) const {
    return enabled_[Slot(index)] != 0;
}

int TabOrder::FindPrevEnabledTab(int start, bool wrap) const {
    const int n = Count();
    int i = start;
    // At most one full round: a start outside the strip would otherwise never
    // be met again and the search would not end.
    for (int step = 0; step < n; ++step) {
        --i;
        if (i < 0) {
            if (!wrap) {
                return -1;
            }
            i = n - 1;
        }
        if (i == start) {
            return -1;
        }
        if (i < n && IsTabEnabled(i)) {
            return i;
        }
    }
    return -1;
}

int TabOrder::FindNextEnabledTab(int start, bool wrap) const {
    const int n = Count();
    int i = start < -1 ? -1 : start;
    for (int step = 0; step < n; ++step) {
        ++i;
        if (i >= n) {
            if (!wrap) {
                return -1;
            }
            i = 0;
        }
        if (i == start) {
            return -1;
        }
        if (IsTabEnabled(i)) {
            return i;
        }
    }
    return -1;
}

bool TabOrder::SelectTab(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    if (changing_ && changing_(current_, index) < 0) {
        return false;
    }
    current_ = index;
    if (changed_) {
        changed_(index);
    }
    return true;
}

void TabOrder::SetCurrent(int index) {
    if (index >= 0 && index < Count()) {
        current_ = index;
    }
}

bool TabOrder::OnClick(int hit) {
    if (hit < 0 || hit >= Count() || !IsTabEnabled(hit) || hit == current_) {
        return false;
    }
    return SelectTab(hit);
}

bool TabOrder::OnArrowKey(Arrow key) {
    const int target = key == Arrow::Left ? FindPrevEnabledTab(current_, false)
                                          : FindNextEnabledTab(current_, false);
    if (target >= 0) {
        SelectTab(target);
    }
    return true;
}

bool TabOrder::OnCycle(bool forward) {
    const int target =
        forward ? FindNextEnabledTab(current_, true) : FindPrevEnabledTab(current_, true);
    return target >= 0 && SelectTab(target);
}

}  // namespace tavix
