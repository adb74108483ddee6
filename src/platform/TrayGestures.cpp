#include "platform/TrayGestures.h"

#include "common/ScopeExit.h"

namespace velmo {

TrayClick TrayClickFor(TrayButtonEvent event, unsigned button) {
  const bool left = button == 1;
  if (!left && button != 3) return TrayClick::None;
  switch (event) {
    case TrayButtonEvent::Press:
      return left ? TrayClick::LeftClick : TrayClick::RightClick;
    case TrayButtonEvent::DoublePress:
      return left ? TrayClick::LeftDblClick : TrayClick::RightDblClick;
    case TrayButtonEvent::Release:
      return left ? TrayClick::LeftClickUp : TrayClick::RightClickUp;
  }
  return TrayClick::None;
}

void TrayIconRules::addIcon() {
  if (Enabled && !host_.addIcon()) Enabled = false;
}

void TrayIconRules::onGesture(TrayClick gesture) {
  if (gesture == RestoreOn) Restore();
  if (gesture == PopupMenuOn) Popup();
}

void TrayIconRules::onApplicationRestore() {
  if (!restoring_) Restore();
}

void TrayIconRules::onApplicationMinimize() {
  if (Enabled && HideOnMinimize) host_.hideTaskbarEntry();
}

void TrayIconRules::Restore() {
  if (popupOpen_) return;
  FlagScope restoring(restoring_);
  host_.restoreApplication();
  if (Enabled) {
    host_.showTaskbarEntry();
    host_.bringToFront();
  }
}

void TrayIconRules::Popup() {
  const CursorPoint where = host_.cursorPos();
  // Without the focus the menu would not close when the user clicks elsewhere.
  host_.bringToFront();
  FlagScope open(popupOpen_);
  host_.showMenuAt(where);
}

}  // namespace velmo
