#pragma once
// F6 and Shift+F6 move the keyboard focus between the main form's three
// panes: the page strip, the current page and the form's device buttons.

namespace tavix {

class CTavixView;

void CyclePaneFocus(CTavixView& view, bool forward);

}  // namespace tavix
