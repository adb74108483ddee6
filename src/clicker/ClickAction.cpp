#include "clicker/ClickAction.h"

#include <utility>

namespace velmo {

void MouseClick(Mouse& mouse, const std::string& button, const std::string& type) {
  const bool single = type == "单击";
  // Press and release together, twice for a double click.
  const auto together = [&](unsigned flags) {
    if (!single) mouse.mouseEvent(flags);
    mouse.mouseEvent(flags);
  };
  if (button == "左右键") {
    together(kMouseLeftDown | kMouseLeftUp);
    together(kMouseRightDown | kMouseRightUp);
    return;
  }
  const Stroke stroke = ButtonStroke(button);
  if (stroke.down == 0) return;
  if (single) {
    mouse.mouseEvent(stroke.down);
    mouse.mouseEvent(stroke.up);
  } else {
    together(stroke.down | stroke.up);
  }
}

void PerformClickAction(Mouse& mouse, const std::string& action) {
  static const std::pair<const char*, std::pair<const char*, const char*>> kActions[] = {
      {"左键单击", {"左键", "单击"}},
      {"左键双击", {"左键", "双击"}},
      {"右键单击", {"右键", "单击"}},
      {"右键双击", {"右键", "双击"}},
  };
  for (const auto& [text, click] : kActions) {
    if (action == text) MouseClick(mouse, click.first, click.second);
  }
}

void KeyClick(Mouse& mouse, unsigned vk, const std::string& type) {
  const int clicks = type == "单击" ? 1 : 2;
  for (int i = 0; i < clicks; ++i) {
    mouse.keybdEvent(vk, 0);
    mouse.keybdEvent(vk, kKeyEventKeyUp);
  }
}

Stroke ButtonStroke(const std::string& button) {
  if (button == "左键") return {kMouseLeftDown, kMouseLeftUp, {}};
  if (button == "右键") return {kMouseRightDown, kMouseRightUp, {}};
  if (button == "中键") return {kMouseMiddleDown, kMouseMiddleUp, {}};
  if (button == "左右键")
    return {kMouseLeftDown | kMouseRightDown, kMouseLeftUp | kMouseRightUp, {}};
  return {};
}

void Press(Mouse& mouse, const Stroke& stroke) {
  if (stroke.key) {
    mouse.keybdEvent(*stroke.key, 0);
  } else if (stroke.down != 0) {
    mouse.mouseEvent(stroke.down);
  }
}

void Release(Mouse& mouse, const Stroke& stroke) {
  if (stroke.key) {
    mouse.keybdEvent(*stroke.key, kKeyEventKeyUp);
  } else if (stroke.up != 0) {
    mouse.mouseEvent(stroke.up);
  }
}

}  // namespace velmo
