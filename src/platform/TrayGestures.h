// The notification-area icon's rules, apart from any toolkit: which gesture
// on the icon restores the program or opens its menu, and what minimising
// and restoring do to the program's taskbar entry.
#pragma once

#include "platform/Platform.h"

namespace velmo {

// One mouse notification on the icon, in the icon component's order (None is 0).
enum class TrayClick {
  None,
  LeftClick,
  LeftDblClick,
  LeftClickUp,
  RightClick,
  RightDblClick,
  RightClickUp
};

// A button event on the icon as GTK reports it (GDK_BUTTON_PRESS,
// GDK_2BUTTON_PRESS, GDK_BUTTON_RELEASE); GTK sends the second press of a
// double click as a press and then a double press.
enum class TrayButtonEvent { Press, DoublePress, Release };

// Button 1 is the left button and 3 the right one; others give None.
TrayClick TrayClickFor(TrayButtonEvent event, unsigned button);

// What the icon asks of the application and the desktop.
class TrayHost {
 public:
  virtual ~TrayHost() = default;
  virtual bool addIcon() = 0;             // false: the desktop refused the icon
  virtual void restoreApplication() = 0;  // un-minimise; raises the restore notification
  virtual void showTaskbarEntry() = 0;
  virtual void hideTaskbarEntry() = 0;
  virtual void bringToFront() = 0;
  virtual CursorPoint cursorPos() = 0;
  virtual void showMenuAt(CursorPoint where) = 0;  // returns when the menu has closed
};

class TrayIconRules {
 public:
  static constexpr TrayClick RestoreOn = TrayClick::LeftDblClick;
  static constexpr TrayClick PopupMenuOn = TrayClick::RightClickUp;

  explicit TrayIconRules(TrayHost& host) : host_(host) {}

  // Shows the icon while Enabled; a refusal clears Enabled, so that a
  // minimised program stays reachable from the taskbar.
  void addIcon();
  void onGesture(TrayClick gesture);
  // The application was un-minimised, by the icon or by any other route.
  void onApplicationRestore();
  // The application has been minimised.
  void onApplicationMinimize();

  bool Enabled = true;
  bool HideOnMinimize = true;

 private:
  void Restore();
  void Popup();

  TrayHost& host_;
  bool popupOpen_ = false;  // a double click while the menu is open must not restore
  bool restoring_ = false;  // our own restore raises the restore notification again
};

}  // namespace velmo
