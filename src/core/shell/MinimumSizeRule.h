#pragma once
// The main window's size rules: it opens 800 x 600 in the middle of the
// screen and cannot be made smaller than that (the window's minimum size;
// the window system stops the edge being dragged).

namespace tavix {

struct FrameRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const FrameRect&) const = default;
};

class MinimumSizeRule {
public:
    static constexpr int kMinWidth = 800;
    static constexpr int kMinHeight = 600;

    MinimumSizeRule(int minWidth = kMinWidth, int minHeight = kMinHeight)
        : minWidth_(minWidth), minHeight_(minHeight) {}

    // The first placement: minimum size, centred on a screen of the given size
    // (halves rounded toward zero; a screen smaller than the window gives a
    // negative offset, which the window system may pull back on screen).
    FrameRect CentredOn(int screenWidth, int screenHeight) const;

private:
    int minWidth_;
    int minHeight_;
};

}  // namespace tavix
