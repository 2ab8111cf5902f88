#pragma once
// The colour picker's popup palette: a window of its own that takes the
// pointer while it is open, draws the 228 colours, the focus of the cell
// under the pointer, the preview and its "#RRGGBB" text, and reads screen
// pixels for the pipette. What the pointer means is decided by PaletteTracker.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QWidget>
#include <functional>
#include <optional>

#include "plot/ColourPalette.h"
#include "plot/PaletteTracker.h"

namespace tavix {

inline QColor ToQColor(ColourRef c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

inline ColourRef FromQColor(const QColor& c) {
    return MakeColourRef(c.red(), c.green(), c.blue());
}

class ColourPaletteWindow : public QWidget {
public:
    // The palette ended with a colour (nothing: closed without a change).
    using FinishedFn = std::function<void(std::optional<ColourRef>)>;

    // Opened by `owner` showing `colour`, by a press at `pressedAt` (screen
    // pixels). `finished` hears how it ended, once; `moreColours` runs when
    // its more-colours button is pressed.
    ColourPaletteWindow(QWidget* owner, ColourRef colour, const QPoint& pressedAt,
                        FinishedFn finished, std::function<void()> moreColours);

    // Ends the palette with `newColour` (nothing: closed without a change).
    void Finish(std::optional<ColourRef> newColour);
    // The button is going away: end without telling it anything.
    void Abandon() { finished_ = true; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void SetCursor(PaletteCursor cursor);
    void RestoreCursor();

    FinishedFn onFinished_;
    PaletteTracker tracker_;
    QFont font_;
    QCursor pipette_;
    bool finished_ = false;
    bool cursorSet_ = false;
};

}  // namespace tavix
