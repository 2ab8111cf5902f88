#include "ui/shell/PaneFocus.h"

#include <QApplication>
#include <QPushButton>
#include <QTabBar>

#include "ui/shell/CQTabCtrl.h"
#include "ui/shell/CTavixView.h"

namespace tavix {

void CyclePaneFocus(CTavixView& view, bool forward) {
    // F6 moves between three panes: the page strip, the current page and the
    // form's device buttons.
    auto focusable = [](QWidget* w) {
        return w && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled();
    };
    auto firstIn = [&](QWidget* pane) -> QWidget* {
        if (pane == nullptr || focusable(pane)) {
            return pane && focusable(pane) ? pane : nullptr;
        }
        int guard = 0;
        for (QWidget* w = pane->nextInFocusChain(); w && w != pane && guard < 10000;
             w = w->nextInFocusChain(), ++guard) {
            if (pane->isAncestorOf(w) && focusable(w)) {
                return w;
            }
        }
        return nullptr;
    };
    auto firstOf = [&](std::initializer_list<QWidget*> widgets) -> QWidget* {
        for (QWidget* w : widgets) {
            if (focusable(w)) {
                return w;
            }
        }
        return nullptr;
    };
    CQTabCtrl* tabs = view.Tabs();
    QWidget* const paneRoots[] = {tabs->tabBar(), tabs->currentWidget(), &view};
    QWidget* const targets[] = {
        firstIn(tabs->tabBar()), firstIn(tabs->currentWidget()),
        firstOf({view.OpenDeviceButton(), view.SetComPortButton(), view.ExitButton()})};
    QWidget* focus = QApplication::focusWidget();
    int at = -1;
    for (int i = 0; i < 3 && focus; ++i) {
        if (focus == paneRoots[i] || paneRoots[i]->isAncestorOf(focus)) {
            at = i;
            break;
        }
    }
    for (int step = 1; step <= 3; ++step) {
        const int next = ((at + (forward ? step : -step)) % 3 + 3) % 3;
        if (targets[next]) {
            targets[next]->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

}  // namespace tavix
