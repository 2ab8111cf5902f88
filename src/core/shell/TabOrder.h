#pragma once
// Which pages of the main form may be chosen, and how the choice moves.
//
// The main form shows its pages under one tab strip. What a user may open
// depends on the device that answered "Open Device": without a device only the
// welcome page makes sense, an ESC without a logger has no record or logger
// page. The tab strip therefore carries one enabled flag per tab; a disabled
// tab is drawn greyed, refuses clicks, and is skipped by the arrow keys.
//
// Selection changes go through two notifications, as the owner of the strip
// expects them: `changing` is asked first (a negative answer keeps the
// current tab), `changed` follows once the new tab is current.

#include <functional>
#include <vector>

namespace tavix {

class TabOrder {
public:
    // Asked before the selection moves from `from` to `to`; a negative answer refuses.
    using ChangingHandler = std::function<int(int from, int to)>;
    using ChangedHandler = std::function<void(int index)>;

    enum class Arrow { Left, Right };

    // All tabs start enabled; the first is current.
    explicit TabOrder(int count = 5);

    int Count() const { return static_cast<int>(enabled_.size()); }

    // Flag of tab `index` modulo the tab count (EnableTab(7, false) disables tab 2).
    void EnableTab(int index, bool enabled);
    bool IsTabEnabled(int index) const;

    // The nearest enabled tab before / after `start` (never `start` itself), or -1.
    // Without `wrap` the search stops at the first / last tab; with it, it goes
    // round once.
    int FindPrevEnabledTab(int start, bool wrap) const;
    int FindNextEnabledTab(int start, bool wrap) const;

    // Selects `index` with both notifications. False, and nothing changed, when
    // the changing handler answers negative or `index` is no tab. Does not look
    // at the enabled flags: the caller decides what a disabled tab means.
    bool SelectTab(int index);
    // Makes `index` current without notifications (putting a refused choice back).
    void SetCurrent(int index);
    int Current() const { return current_; }

    // A mouse press on tab `hit` (-1: not on a tab). A disabled tab refuses the
    // click and nothing changes; an enabled one is selected as SelectTab does.
    // Returns true when the selection moved.
    bool OnClick(int hit);
    // Left / Right while the strip has the focus: the nearest enabled tab on
    // that side, without wrapping; nothing when there is none. The key is
    // always consumed, so the function always returns true.
    bool OnArrowKey(Arrow key);
    // Ctrl+Tab / Ctrl+Shift+Tab: the next / previous enabled tab, going round.
    bool OnCycle(bool forward);

    void SetChangingHandler(ChangingHandler handler) { changing_ = std::move(handler); }
    void SetChangedHandler(ChangedHandler handler) { changed_ = std::move(handler); }

private:
    int Slot(int index) const;

    std::vector<int> enabled_;
    int current_ = 0;
    ChangingHandler changing_;
    ChangedHandler changed_;
};

}  // namespace tavix
