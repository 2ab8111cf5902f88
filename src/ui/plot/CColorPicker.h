#pragma once
// A push button that shows a colour swatch with a small notch and lets the
// user choose a new colour: from a popup palette of 228 colours, from any
// pixel on the screen (the pipette: drag or move outside the palette), or
// from Qt's full colour dialog (the small button in the palette's corner).
//
// Press and drag onto a colour, or click the button and then click a colour.
// Over the palette's lower strip the colour the button had is shown, and
// choosing there keeps it. Keys: Space, Enter, F4 or Alt+Down open the
// palette; the arrows move over it, Enter chooses, Escape closes it.
//
// The palette's geometry and rules live in core (plot/ColourPalette.h,
// plot/PaletteTracker.h); this draws them and feeds them the pointer.
// Colours are COLORREF values, 0x00BBGGRR, as config.ini keeps them.

#include <QPointer>
#include <QPushButton>
#include <cstdint>
#include <optional>

class QLabel;

namespace tavix {

class ColourPaletteWindow;

class CColorPicker : public QPushButton {
    Q_OBJECT
public:
    explicit CColorPicker(QWidget* parent = nullptr);
    ~CColorPicker() override;

    // Sets the colour; colourChanged follows when it differs from the one
    // shown (the program's own changes included), nothing otherwise.
    void SetColour(std::uint32_t colorref);
    std::uint32_t Colour() const { return colour_; }

    // Opens the palette below the button (above it near the screen's bottom);
    // false when it could not be shown. Only one palette is open at a time.
    bool OpenPalette();
    void ClosePalette();
    bool PaletteShown() const { return palette_ != nullptr; }
    // The open palette window (null when closed), for tests and screenshots.
    QWidget* PaletteWindow() const;

    // A label that shows the colour as "#RRGGBB" after each change.
    void SetBuddy(QLabel* buddy);

    QSize sizeHint() const override;

signals:
    void colourChanged(std::uint32_t colorref);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Opens the palette for a press at `pressedAt` (screen pixels).
    bool OpenPaletteFrom(const QPoint& pressedAt);
    // The palette is done: close it and take `chosen` when it is a change.
    void PaletteFinished(std::optional<std::uint32_t> chosen);
    // The palette's more-colours button: the palette closes, Qt's dialog opens.
    void OpenColourDialog();
    void ShowColourText();

    std::uint32_t colour_;
    ColourPaletteWindow* palette_ = nullptr;  // a child window of the button
    QPointer<QLabel> buddy_;
};

}  // namespace tavix
