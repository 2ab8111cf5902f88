#include "ui/plot/ColourPaletteWindow.h"

#include <QApplication>
#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

#include "platform/GbkText.h"
#include "platform/UiLanguage.h"

namespace tavix {

using namespace palette;

namespace {

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

PalettePoint ScreenPoint(const QMouseEvent* event) {
    const QPoint p = event->globalPosition().toPoint();
    return {p.x(), p.y()};
}

}  // namespace

ColourPaletteWindow::ColourPaletteWindow(QWidget* owner, ColourRef colour, const QPoint& pressedAt,
                                         FinishedFn finished, std::function<void()> moreColours)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      onFinished_(std::move(finished)),
      pipette_(PipetteCursor()) {
    setObjectName(QString::fromLatin1(kClassName));
    setWindowTitle(ShownText(kTitle));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    font_.setFamilies({FromGbk(kHexFontFace), QStringLiteral("SimSun"),
                       QStringLiteral("Courier New"), QStringLiteral("monospace")});
    font_.setPixelSize(kHexFontHeight);
    font_.setWeight(QFont::Normal);
    auto* more = new MoreColoursButton(this);
    more->setGeometry(ToQRect(kMoreButton).translated(kBorder, kBorder));
    QObject::connect(more, &QToolButton::clicked, this, std::move(moreColours));
    tracker_.Open(colour, {pressedAt.x(), pressedAt.y()});
}

void ColourPaletteWindow::Finish(std::optional<ColourRef> newColour) {
    if (finished_) {
        return;
    }
    finished_ = true;
    onFinished_(newColour);
}

void ColourPaletteWindow::paintEvent(QPaintEvent*) {
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

void ColourPaletteWindow::mousePressEvent(QMouseEvent* event) {
    // A popup closes on a press outside by default; here a press outside
    // is the pipette's second click.
    tracker_.Press(ScreenPoint(event));
}

void ColourPaletteWindow::mouseMoveEvent(QMouseEvent* event) {
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

void ColourPaletteWindow::mouseReleaseEvent(QMouseEvent* event) {
    const PaletteEnd end = tracker_.Release(ScreenPoint(event));
    if (end.closes) {
        Finish(end.newColour);
    }
}

void ColourPaletteWindow::keyPressEvent(QKeyEvent* event) {
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

void ColourPaletteWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QGuiApplication::setOverrideCursor(pipette_);
    cursorSet_ = true;
    setFocus(Qt::PopupFocusReason);
}

void ColourPaletteWindow::hideEvent(QHideEvent* event) {
    RestoreCursor();
    // Closed by the system (another window activated, the application
    // left): as if the button had been released there.
    if (!finished_) {
        Finish(tracker_.Deactivate().newColour);
    }
    QWidget::hideEvent(event);
}

void ColourPaletteWindow::SetCursor(PaletteCursor cursor) {
    if (cursorSet_) {
        QGuiApplication::changeOverrideCursor(
            cursor == PaletteCursor::Pipette ? pipette_ : QCursor(Qt::ArrowCursor));
    }
}

void ColourPaletteWindow::RestoreCursor() {
    if (cursorSet_) {
        QGuiApplication::restoreOverrideCursor();
        cursorSet_ = false;
    }
}

}  // namespace tavix
