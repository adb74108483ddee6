// One click as mouse_event calls, for the single-point clicker and the
// script runner alike.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace velmo {

// A button text ("左键", "右键", "中键", "左右键") and a type text ("单击", "双击").
// A single click of one button presses and releases in two calls; a double
// click sends press and release together, twice; both buttons click the left
// one, then the right one, each with press and release together. Any other
// button text makes no click.
void MouseClick(Mouse& mouse, const std::string& button, const std::string& type);

// A script point's action ("左键单击", "左键双击", "右键单击", "右键双击"):
// the same clicks as MouseClick; "无点击" and any other text make none.
void PerformClickAction(Mouse& mouse, const std::string& action);

}  // namespace velmo
