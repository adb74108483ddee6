// One click as mouse_event calls, for the single-point clicker and the
// script runner alike.
#pragma once

#include <optional>
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

// A key (virtual-key code) clicked as a single or double click: down and up,
// once or twice.
void KeyClick(Mouse& mouse, unsigned vk, const std::string& type);

// What a click presses and lets go: mouse_event flags, or a key.
struct Stroke {
  unsigned down = 0;
  unsigned up = 0;
  std::optional<unsigned> key;
};
// The buttons of a button text, as MouseClick reads it; "左右键" both.
Stroke ButtonStroke(const std::string& button);
inline Stroke KeyStroke(unsigned vk) { return {0, 0, vk}; }
void Press(Mouse& mouse, const Stroke& stroke);
void Release(Mouse& mouse, const Stroke& stroke);

}  // namespace velmo
