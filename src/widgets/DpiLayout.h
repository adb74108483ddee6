// Windows laid out in pixels of a 96-DPI screen, at the screen's DPI.
#pragma once

#include <wx/window.h>

namespace velmo {

// Scales a window built at 96-DPI places and sizes to the DPI of its screen:
// its client size, every control's place and size, list columns, and
// pictures with their controls. The text fitting runs after it. Where wx
// works in pixels that do not depend on the DPI (GTK, whose scale factor the
// toolkit applies itself) it does nothing, as it does on a 96-DPI screen.
// Moved later to a monitor of another DPI, the window's controls are placed
// again at the new one.
void ScaleLayoutToDpi(wxWindow* window);
bool ScaledForDpi(const wxWindow* window);

}  // namespace velmo
