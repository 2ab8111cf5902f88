#pragma once
// The main window's size rules: it opens 800 x 600 in the middle of the
// screen and cannot be made smaller than that. When a drag would make it too
// small, the edge being dragged stops so that the opposite edge stays where it
// is.

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

// The edge or corner the user is dragging.
enum class SizingEdge { Left, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };

class MinimumSizeRule {
public:
    static constexpr int kMinWidth = 800;
    static constexpr int kMinHeight = 600;

    MinimumSizeRule(int minWidth = kMinWidth, int minHeight = kMinHeight)
        : minWidth_(minWidth), minHeight_(minHeight) {}

    // Adjusts the rectangle proposed while dragging `edge`: a width below the
    // minimum becomes the minimum, moving the left edge when a left edge is
    // dragged and the right edge otherwise; the same for the height with the
    // top edge.
    void Apply(SizingEdge edge, FrameRect& rect) const;

    // The first placement: minimum size, centred on a screen of the given size
    // (halves rounded toward zero; a screen smaller than the window gives a
    // negative offset, which the window system may pull back on screen).
    FrameRect CentredOn(int screenWidth, int screenHeight) const;

private:
    int minWidth_;
    int minHeight_;
};

}  // namespace tavix
