#include "ui/shell/CQTabCtrl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>

#include "shell/ShellMessages.h"

namespace tavix {

namespace {

// The strip itself: clicks and arrow keys go through the tab rules, and the
// labels of disabled tabs are drawn engraved.
class QTabStrip : public QTabBar {
public:
    QTabStrip(TabOrder& order, QWidget* parent) : QTabBar(parent), order_(order) {
        setFocusPolicy(Qt::StrongFocus);
        setDrawBase(true);
        setExpanding(false);
    }

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        size.setWidth(std::max(size.width(), CQTabCtrl::kMinTabWidth));
        return size;
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) {
            event->ignore();
            return;
        }
        setFocus(Qt::MouseFocusReason);
        order_.OnClick(tabAt(event->position().toPoint()));
        event->accept();
    }

    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
    void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
    // The wheel does not leaf through the pages: it would open pages that
    // start talking to the device while the user only scrolls past.
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            if (event->key() == Qt::Key_Left) {
                order_.OnArrowKey(TabOrder::Arrow::Left);
                event->accept();
                return;
            }
            if (event->key() == Qt::Key_Right) {
                order_.OnArrowKey(TabOrder::Arrow::Right);
                event->accept();
                return;
            }
        }
        event->ignore();
    }

    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        for (int i = 0; i < count(); ++i) {
            QStyleOptionTab option;
            initStyleOption(&option, i);
            const QString label = option.text;
            option.text.clear();
            painter.drawControl(QStyle::CE_TabBarTabShape, option);
            painter.drawControl(QStyle::CE_TabBarTabLabel, option);
            DrawItemText(painter, option.rect, label, !order_.IsTabEnabled(i));
            if (i == currentIndex() && hasFocus()) {
                QStyleOptionFocusRect focus;
                focus.initFrom(this);
                focus.rect = option.rect.adjusted(4, 4, -4, -3);
                painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
            }
        }
    }

private:
    // Enabled: once in the button text colour. Disabled: once in the light
    // highlight colour, then one pixel up and left in the grey text colour,
    // which reads as text engraved into the tab.
    void DrawItemText(QPainter& painter, const QRect& rect, const QString& text,
                      bool disabled) const {
        const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
        const QPalette& pal = palette();
        if (!disabled) {
            painter.setPen(pal.color(QPalette::Active, QPalette::ButtonText));
            painter.drawText(rect, flags, text);
            return;
        }
        painter.setPen(pal.color(QPalette::Active, QPalette::Light));
        painter.drawText(rect.translated(1, 1), flags, text);
        painter.setPen(pal.color(QPalette::Disabled, QPalette::Text));
        painter.drawText(rect, flags, text);
    }

    TabOrder& order_;
};

}  // namespace

CQTabCtrl::CQTabCtrl(QWidget* parent) : QTabWidget(parent), order_(kTabCount) {
    setTabBar(new QTabStrip(order_, this));
    setUsesScrollButtons(false);
    order_.SetChangedHandler([this](int index) {
        quiet_ = true;
        setCurrentIndex(index);
        quiet_ = false;
        emit selectionChanged(index);
    });
    // Keep the rules' idea of the current tab in step with what is shown,
    // whoever moved it.
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (!quiet_) {
            order_.SetCurrent(index);
        }
    });
}

void CQTabCtrl::EnableTab(int index, bool enabled) {
    // Only the flag changes: the strip's own enabled state is left alone, as
    // disabling the current tab there would move the selection behind the
    // main form's back.
    order_.EnableTab(index, enabled);
    tabBar()->update();
}

bool CQTabCtrl::SelectTab(int index) {
    if (index < 0 || index >= count()) {
        return false;
    }
    return order_.SelectTab(index);
}

void CQTabCtrl::SelectQuietly(int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    order_.SetCurrent(index);
    quiet_ = true;
    setCurrentIndex(index);
    quiet_ = false;
}

void CQTabCtrl::keyPressEvent(QKeyEvent* event) {
    // Ctrl+Tab and Ctrl+Page Down / Up leaf through the enabled pages, going round.
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_PageDown)) {
        order_.OnCycle(true);
        event->accept();
        return;
    }
    if (ctrl && (event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageUp)) {
        order_.OnCycle(false);
        event->accept();
        return;
    }
    QTabWidget::keyPressEvent(event);
}

}  // namespace tavix
