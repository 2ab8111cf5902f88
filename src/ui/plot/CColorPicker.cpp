#include "ui/plot/CColorPicker.h"

#include <QColorDialog>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionFocusRect>

#include "plot/ColourPalette.h"
#include "ui/plot/ColourPaletteWindow.h"

namespace tavix {

namespace {
// Only one palette is open in the program at a time.
CColorPicker* g_paletteOwner = nullptr;
}  // namespace

CColorPicker::CColorPicker(QWidget* parent)
    : QPushButton(parent), colour_(FromQColor(palette().color(QPalette::Button))) {
    setFocusPolicy(Qt::StrongFocus);
    ShowColourText();
}

CColorPicker::~CColorPicker() {
    if (g_paletteOwner == this) {
        g_paletteOwner = nullptr;
    }
    // Gone with its button: the palette chooses nothing on the way out.
    if (palette_ != nullptr) {
        ColourPaletteWindow* closing = palette_;
        palette_ = nullptr;
        closing->Abandon();
        delete closing;
    }
}

QSize CColorPicker::sizeHint() const {
    return QSize(40, 22);
}

void CColorPicker::SetColour(std::uint32_t colorref) {
    if (colorref == colour_) {
        update();
        return;
    }
    colour_ = colorref;
    ShowColourText();
    update();
    emit colourChanged(colorref);
}

void CColorPicker::SetBuddy(QLabel* buddy) {
    buddy_ = buddy;
    ShowColourText();
}

void CColorPicker::ShowColourText() {
    const QString text = QString::fromLatin1(HexColourText(colour_).c_str());
    setToolTip(text);
    setAccessibleDescription(text);
    if (buddy_) {
        buddy_->setText(text);
    }
}

QWidget* CColorPicker::PaletteWindow() const {
    return palette_;
}

bool CColorPicker::OpenPalette() {
    return OpenPaletteFrom(QCursor::pos());
}

bool CColorPicker::OpenPaletteFrom(const QPoint& pressedAt) {
    if (palette_ != nullptr) {
        return true;
    }
    if (g_paletteOwner != nullptr) {
        g_paletteOwner->ClosePalette();
    }
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    const QRect button(topLeft, size());
    QScreen* screen = QGuiApplication::screenAt(button.center());
    if (screen == nullptr) {
        screen = this->screen();
    }
    if (screen == nullptr) {
        return false;
    }
    const QRect area = screen->geometry();
    const PalettePoint at =
        PalettePosition({button.left(), button.top(), button.right() + 1, button.bottom() + 1},
                        {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
    palette_ = new ColourPaletteWindow(
        this, colour_, pressedAt,
        [this](std::optional<ColourRef> chosen) { PaletteFinished(chosen); },
        [this] { OpenColourDialog(); });
    palette_->move(at.x, at.y);
    palette_->show();
    if (!palette_->isVisible()) {
        delete palette_;
        palette_ = nullptr;
        return false;
    }
    g_paletteOwner = this;
    update();
    return true;
}

void CColorPicker::ClosePalette() {
    if (palette_ == nullptr) {
        return;
    }
    ColourPaletteWindow* closing = palette_;
    palette_ = nullptr;
    if (g_paletteOwner == this) {
        g_paletteOwner = nullptr;
    }
    closing->Finish(std::nullopt);  // no-op when it finished already
    closing->hide();
    closing->deleteLater();
    update();
}

void CColorPicker::PaletteFinished(std::optional<std::uint32_t> chosen) {
    ClosePalette();
    if (chosen) {
        SetColour(*chosen);
    }
}

void CColorPicker::OpenColourDialog() {
    ClosePalette();
    QColorDialog dialog(ToQColor(colour_), this);
    dialog.setObjectName(QStringLiteral("moreColoursDialog"));
    if (dialog.exec() == QDialog::Accepted && dialog.selectedColor().isValid()) {
        SetColour(FromQColor(dialog.selectedColor()));
    }
}

void CColorPicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QPushButton::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    OpenPaletteFrom(event->globalPosition().toPoint());
}

void CColorPicker::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool opens = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter ||
                       key == Qt::Key_F4 ||
                       (key == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
    if (opens) {
        OpenPalette();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CColorPicker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor face = palette().color(QPalette::Button);
    const QColor shadow = palette().color(QPalette::Shadow);
    const QRect b = rect();
    p.fillRect(b, face);
    if (palette_ == nullptr && isEnabled()) {
        // Raised: white top-left, dark shadow bottom-right. A disabled
        // button lies flat, as other disabled buttons do.
        p.setPen(Qt::white);
        p.drawLine(b.topLeft(), b.topRight());
        p.drawLine(b.topLeft(), b.bottomLeft());
        p.setPen(shadow);
        p.drawLine(b.bottomLeft(), b.bottomRight());
        p.drawLine(b.topRight(), b.bottomRight());
    }
    // The swatch, with a sunken edge and the notch at its bottom-right.
    const QRect swatch = b.adjusted(3, 3, -3, -3);
    p.fillRect(swatch, ToQColor(colour_));
    if (!isEnabled()) {
        // Its colour still shows, faded behind the face colour, so the
        // button reads as not available now.
        QColor veil = face;
        veil.setAlpha(160);
        p.fillRect(swatch, veil);
    }
    const QRect edge = swatch.adjusted(-1, -1, 0, 0);
    p.setPen(shadow);
    p.drawLine(edge.topLeft(), edge.topRight());
    p.drawLine(edge.topLeft(), edge.bottomLeft());
    p.setPen(Qt::white);
    const int notchLeft = edge.right() - 6;
    const int notchTop = edge.bottom() - 4;
    p.drawLine(edge.left(), edge.bottom(), notchLeft, edge.bottom());
    p.drawLine(notchLeft, edge.bottom(), notchLeft, notchTop);
    p.drawLine(notchLeft, notchTop, edge.right(), notchTop);
    p.drawLine(edge.right(), edge.top(), edge.right(), notchTop);
    p.fillRect(QRect(notchLeft + 1, notchTop + 1, 6, 4), face);
    // A small triangle pointing down: the palette opens from here.
    p.setPen(isEnabled() ? QColor(Qt::black) : palette().color(QPalette::Disabled, QPalette::Text));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(notchLeft + 1 + i, notchTop + 1 + i, notchLeft + 5 - i, notchTop + 1 + i);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = b.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

}  // namespace tavix
