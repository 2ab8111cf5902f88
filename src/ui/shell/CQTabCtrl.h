#pragma once
// The tab strip of the main form, with tabs that can be disabled: a disabled
// tab is drawn greyed and engraved, refuses clicks, and Left/Right on the
// strip skip it. The rules live in TabOrder; this widget draws them and feeds
// them the mouse and the keys.
//
// Selection changes are announced the way the main form expects them: the
// changing handler is asked first and may refuse with a negative answer, then
// selectionChanged(index) follows.

#include <QTabWidget>

#include "shell/TabOrder.h"

namespace tavix {

class CQTabCtrl : public QTabWidget {
    Q_OBJECT
public:
    static constexpr int kMinTabWidth = 120;

    explicit CQTabCtrl(QWidget* parent = nullptr);

    void EnableTab(int index, bool enabled);
    bool IsTabEnabled(int index) const { return order_.IsTabEnabled(index); }
    int FindPrevEnabledTab(int start, bool wrap) const {
        return order_.FindPrevEnabledTab(start, wrap);
    }
    int FindNextEnabledTab(int start, bool wrap) const {
        return order_.FindNextEnabledTab(start, wrap);
    }
    // Selects with both notifications; false when the changing handler refused.
    bool SelectTab(int index);
    // Makes `index` current without any notification.
    void SelectQuietly(int index);

    void SetChangingHandler(TabOrder::ChangingHandler handler) {
        order_.SetChangingHandler(std::move(handler));
    }

signals:
    void selectionChanged(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TabOrder order_;
    bool quiet_ = false;
};

}  // namespace tavix
