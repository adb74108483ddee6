// The program's compact look: GTK's default widgets are taller than the
// layout's 21- and 25-pixel controls, so paddings are reduced for our windows.
#pragma once

namespace velmo {

void ApplyCompactLook();

}  // namespace velmo
