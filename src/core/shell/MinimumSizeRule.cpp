#include "shell/MinimumSizeRule.h"

namespace tavix {

void MinimumSizeRule::Apply(SizingEdge edge, FrameRect& rect) const {
    if (rect.Width() < minWidth_) {
        const bool leftEdge = edge == SizingEdge::Left || edge == SizingEdge::TopLeft ||
                              edge == SizingEdge::BottomLeft;
        if (leftEdge) {
            rect.left = rect.right - minWidth_;
        } else {
            rect.right = rect.left + minWidth_;
        }
    }
    if (rect.Height() < minHeight_) {
        const bool topEdge =
            edge == SizingEdge::Top || edge == SizingEdge::TopLeft || edge == SizingEdge::TopRight;
        if (topEdge) {
            rect.top = rect.bottom - minHeight_;
        } else {
            rect.bottom = rect.top + minHeight_;
        }
    }
}

FrameRect MinimumSizeRule::CentredOn(int screenWidth, int screenHeight) const {
    FrameRect r;
    r.left = (screenWidth - minWidth_) / 2;
    r.top = (screenHeight - minHeight_) / 2;
    r.right = r.left + minWidth_;
    r.bottom = r.top + minHeight_;
    return r;
}

}  // namespace tavix
