// The program's compact look: GTK's default widgets are taller than the
// layout's 21- and 25-pixel controls, so paddings are reduced for our windows.
#pragma once

namespace velmo {

void ApplyCompactLook();

// An editable drop-down list is one Tab stop, its text, as on Windows: GTK
// would stop on its arrow button too. The button still opens the list on a
// click, and Alt+Down opens it from the keyboard.
void KeepOneTabStopPerComboBox();

}  // namespace velmo
