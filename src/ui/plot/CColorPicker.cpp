#include "ui/plot/CColorPicker.h"

#include <QApplication>
#include <QBitmap>
#include <QColorDialog>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionFocusRect>
#include <QToolButton>
#include <QWindow>

#include "platform/GbkText.h"
#include "plot/ColourPalette.h"
#include "plot/PaletteTracker.h"

namespace tavix {

namespace {

using namespace palette;

QColor ToQColor(ColourRef c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

ColourRef FromQColor(const QColor& c) {
    return MakeColourRef(c.red(), c.green(), c.blue());
}

QRect ToQRect(const PaletteRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

const QColor kLightGrey(192, 192, 192);

// The pipette: 16 x 16, hot spot at the bottom-left corner. Rows of two
// bytes, leftmost pixel in the top bit. Where the AND mask is 0 the pixel is
// drawn, black where the XOR mask is 0 and white where it is 1.
constexpr unsigned char kPipetteAnd[32] = {
    0xFF, 0xF1, 0xFF, 0xE0, 0xFF, 0xC0, 0xFF, 0x00, 0xFF, 0x81, 0xFF, 0x03, 0xFE, 0x07, 0xFC, 0x17,
    0xF8, 0x3F, 0xF0, 0x7F, 0xE0, 0xFF, 0xC1, 0xFF, 0x83, 0xFF, 0x87, 0xFF, 0x0F, 0xFF, 0x3F, 0xFF};
constexpr unsigned char kPipetteXor[32] = {
    0x00, 0x00, 0x00, 0x0C, 0x00, 0x08, 0x00, 0x10, 0x00, 0x00, 0x00, 0x40, 0x00, 0xE0, 0x01, 0xC0,
    0x03, 0x80, 0x07, 0x00, 0x0E, 0x00, 0x1C, 0x00, 0x38, 0x00, 0x30, 0x00, 0x40, 0x00, 0x00, 0x00};

QCursor PipetteCursor() {
    // Qt's cursor bitmaps: 1 in the mask is drawn, 1 in the bitmap is black.
    unsigned char bits[32];
    unsigned char mask[32];
    for (int i = 0; i < 32; ++i) {
        mask[i] = static_cast<unsigned char>(~kPipetteAnd[i]);
        bits[i] = static_cast<unsigned char>(~kPipetteAnd[i] & ~kPipetteXor[i]);
    }
    const QBitmap bitmap = QBitmap::fromData(QSize(16, 16), bits, QImage::Format_Mono);
    const QBitmap maskBitmap = QBitmap::fromData(QSize(16, 16), mask, QImage::Format_Mono);
    return QCursor(bitmap, maskBitmap, 0, 15);
}

// The colour of the screen pixel at `global`. Where the platform cannot read
// the screen (Wayland, offscreen), the colour under the pointer in the
// program's own windows; nothing when neither is there.
std::optional<ColourRef> ScreenPixel(const QPoint& global, const QWidget* except) {
    if (QScreen* screen = QGuiApplication::screenAt(global)) {
        const QPoint at = global - screen->geometry().topLeft();
        const QPixmap pixel = screen->grabWindow(0, at.x(), at.y(), 1, 1);
        if (!pixel.isNull() && pixel.width() >= 1 && pixel.height() >= 1) {
            return FromQColor(pixel.toImage().pixelColor(0, 0));
        }
    }
    QWidget* under = QApplication::widgetAt(global);
    if (under == nullptr || under->window() == except) {
        return std::nullopt;
    }
    QWidget* top = under->window();
    const QImage image = top->grab(QRect(top->mapFromGlobal(global), QSize(1, 1))).toImage();
    if (image.isNull()) {
        return std::nullopt;
    }
    return FromQColor(image.pixelColor(0, 0));
}

// The small button in the palette's corner that opens the full dialog: light
// grey, a 3-D frame (sunken while pressed), three overlapping squares.
class MoreColoursButton : public QToolButton {
public:
    explicit MoreColoursButton(QWidget* parent) : QToolButton(parent) {
        setObjectName(QStringLiteral("moreColours"));
        setToolTip(QObject::tr("More colours..."));
        setAccessibleName(QObject::tr("More colours"));
        setFocusPolicy(Qt::NoFocus);
        setCursor(Qt::ArrowCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect();
        p.fillRect(r, kLightGrey);
        const bool down = isDown();
        const QColor light = down ? QColor(64, 64, 64) : Qt::white;
        const QColor dark = down ? Qt::white : QColor(64, 64, 64);
        p.setPen(light);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(dark);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        const int shift = down ? 1 : 0;
        const QColor squares[] = {Qt::red, Qt::green, Qt::yellow};
        for (int i = 0; i < 3; ++i) {
            const QRect square(3 + 2 * i + shift, 3 + 2 * i + shift, 5, 5);
            p.fillRect(square, squares[i]);
            p.setPen(Qt::black);
            p.drawRect(square.adjusted(0, 0, -1, -1));
        }
    }
};

}  // namespace

// The popup: a window of its own that takes the pointer while it is open.
class ColourPaletteWindow : public QWidget {
public:
    ColourPaletteWindow(CColorPicker* owner, ColourRef colour, const QPoint& pressedAt)
        : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
          owner_(owner),
          pipette_(PipetteCursor()) {
        setObjectName(QString::fromLatin1(kClassName));
        setWindowTitle(QString::fromLatin1(kTitle));
        setAttribute(Qt::WA_DeleteOnClose, false);
        setFixedSize(kWidth, kHeight);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        font_.setFamilies({FromGbk(kHexFontFace), QStringLiteral("SimSun"),
                           QStringLiteral("Courier New"), QStringLiteral("monospace")});
        font_.setPixelSize(kHexFontHeight);
        font_.setWeight(QFont::Normal);
        more_ = new MoreColoursButton(this);
        more_->setGeometry(ToQRect(kMoreButton).translated(kBorder, kBorder));
        QObject::connect(more_, &QToolButton::clicked, owner_, &CColorPicker::OpenColourDialog);
        tracker_.Open(colour, {pressedAt.x(), pressedAt.y()});
    }

    // The button is going away: end without telling it anything.
    void Abandon() { finished_ = true; }

    // Ends the palette with `newColour` (nothing: closed without a change).
    void Finish(std::optional<ColourRef> newColour) {
        if (finished_) {
            return;
        }
        finished_ = true;
        owner_->PaletteFinished(newColour);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(Qt::black);
        p.drawRect(0, 0, kWidth - 1, kHeight - 1);  // the border
        p.setClipRect(kBorder, kBorder, kWidth - 2 * kBorder, kHeight - 2 * kBorder);
        p.translate(kBorder, kBorder);
        // Grid lines, cells and the strip.
        p.fillRect(0, 0, kWidth, kGridHeight, Qt::black);
        for (int i = 0; i < kCellCount; ++i) {
            p.fillRect(ToQRect(PaletteCellRect(i)), ToQColor(PaletteCellColour(i)));
        }
        p.fillRect(ToQRect(kStrip), kLightGrey);
        const int hot = tracker_.Hot();
        if (hot >= 0) {
            // The focus: black on the grid lines around the cell, white inside.
            const QRect cell = ToQRect(PaletteCellRect(hot));
            p.setPen(Qt::white);
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.drawRect(cell.adjusted(1, 1, -2, -2));
        }
        const ColourRef current = tracker_.Current();
        p.fillRect(ToQRect(kPreviewFrame), Qt::black);
        p.fillRect(ToQRect(kPreview), ToQColor(current));
        p.setFont(font_);
        p.setPen(Qt::black);
        const QFontMetrics metrics(font_);
        p.drawText(QPoint(kHexTextAt.x, kHexTextAt.y + metrics.ascent()),
                   QString::fromLatin1(HexColourText(current).c_str()));
    }

    void mousePressEvent(QMouseEvent* event) override {
        // A popup closes on a press outside by default; here a press outside
        // is the pipette's second click.
        tracker_.Press(ScreenPoint(event));
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint local = event->position().toPoint();
        std::optional<ColourRef> pixel;
        if (!rect().contains(local)) {
            pixel = ScreenPixel(event->globalPosition().toPoint(), this);
        }
        const PaletteMoveResult result =
            tracker_.Move(ScreenPoint(event), {local.x(), local.y()}, pixel);
        SetCursor(result.cursor);
        update();
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        const PaletteEnd end = tracker_.Release(ScreenPoint(event));
        if (end.closes) {
            Finish(end.newColour);
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
            case Qt::Key_Left:
                tracker_.MoveHot(-1, 0);
                break;
            case Qt::Key_Right:
                tracker_.MoveHot(1, 0);
                break;
            case Qt::Key_Up:
                tracker_.MoveHot(0, -1);
                break;
            case Qt::Key_Down:
                tracker_.MoveHot(0, 1);
                break;
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space:
                Finish(tracker_.Choose().newColour);
                return;
            case Qt::Key_Escape:
                Finish(std::nullopt);
                return;
            default:
                QWidget::keyPressEvent(event);
                return;
        }
        update();
    }

    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        QGuiApplication::setOverrideCursor(pipette_);
        cursorSet_ = true;
        setFocus(Qt::PopupFocusReason);
    }

    void hideEvent(QHideEvent* event) override {
        RestoreCursor();
        // Closed by the system (another window activated, the application
        // left): as if the button had been released there.
        if (!finished_) {
            Finish(tracker_.Deactivate().newColour);
        }
        QWidget::hideEvent(event);
    }

private:
    static PalettePoint ScreenPoint(const QMouseEvent* event) {
        const QPoint p = event->globalPosition().toPoint();
        return {p.x(), p.y()};
    }

    void SetCursor(PaletteCursor cursor) {
        if (cursorSet_) {
            QGuiApplication::changeOverrideCursor(
                cursor == PaletteCursor::Pipette ? pipette_ : QCursor(Qt::ArrowCursor));
        }
    }

    void RestoreCursor() {
        if (cursorSet_) {
            QGuiApplication::restoreOverrideCursor();
            cursorSet_ = false;
        }
    }

    CColorPicker* owner_;
    PaletteTracker tracker_;
    QFont font_;
    QCursor pipette_;
    MoreColoursButton* more_ = nullptr;
    bool finished_ = false;
    bool cursorSet_ = false;
};

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
    palette_ = new ColourPaletteWindow(this, colour_, pressedAt);
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
    if (palette_ == nullptr) {
        // Raised: white top-left, dark shadow bottom-right.
        p.setPen(Qt::white);
        p.drawLine(b.topLeft(), b.topRight());
        p.drawLine(b.topLeft(), b.bottomLeft());
        p.setPen(shadow);
        p.drawLine(b.bottomLeft(), b.bottomRight());
        p.drawLine(b.topRight(), b.bottomRight());
    }
    // The swatch, with a sunken edge and the notch at its bottom-right.
    const QRect swatch = b.adjusted(3, 3, -3, -3);
    // A disabled button still shows its colour as it is.
    p.fillRect(swatch, ToQColor(colour_));
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
