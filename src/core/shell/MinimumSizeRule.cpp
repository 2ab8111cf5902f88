#include "shell/MinimumSizeRule.h"

namespace tavix {

FrameRect MinimumSizeRule::CentredOn(int screenWidth, int screenHeight) const {
    FrameRect r;
    r.left = (screenWidth - minWidth_) / 2;
    r.top = (screenHeight - minHeight_) / 2;
    r.right = r.left + minWidth_;
    r.bottom = r.top + minHeight_;
    return r;
}

}  // namespace tavix
