#include "clicker/ClickAction.h"

#include <utility>

namespace velmo {

void MouseClick(Mouse& mouse, const std::string& button, const std::string& type) {
  const bool single = type == "单击";
  const auto click = [&](unsigned down, unsigned up, bool separate) {
    if (separate) {
      mouse.mouseEvent(down);
      mouse.mouseEvent(up);
      return;
    }
    if (!single) mouse.mouseEvent(down | up);
    mouse.mouseEvent(down | up);
  };
  if (button == "左键") {
    click(kMouseLeftDown, kMouseLeftUp, single);
  } else if (button == "右键") {
    click(kMouseRightDown, kMouseRightUp, single);
  } else if (button == "中键") {
    click(kMouseMiddleDown, kMouseMiddleUp, single);
  } else if (button == "左右键") {
    click(kMouseLeftDown, kMouseLeftUp, false);
    click(kMouseRightDown, kMouseRightUp, false);
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

}  // namespace velmo
