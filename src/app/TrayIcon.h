// The notification-area icon component (rztrycn1): shows the program's icon
// while the desktop has a tray host, hides the owner's taskbar entry while it
// is minimised, restores it on a left double click and opens the popup menu
// on a right button release. The rules are TrayIconRules'; this class is
// their host on the desktop.
#pragma once

#include <wx/bitmap.h>
#include <wx/event.h>
#include <wx/menu.h>
#include <wx/toplevel.h>

#include <exception>
#include <functional>

#include "app/TrayGestures.h"

typedef struct _GtkStatusIcon GtkStatusIcon;

namespace velmo {

class TrayIcon : public wxEvtHandler, private TrayHost {
 public:
  // `reportError` shows an error that escapes a gesture: the icon's own
  // notifications do not pass through the application's event guard.
  TrayIcon(wxTopLevelWindow& owner, wxMenu& popupMenu, const wxBitmap& image,
           std::function<void(const std::exception&)> reportError);
  ~TrayIcon() override;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  TrayIconRules& rules() { return rules_; }
  // The icon in the notification area; nullptr while there is none.
  GtkStatusIcon* statusIcon() const { return icon_; }
  // One button event on the icon, as the desktop reports it.
  void onButton(TrayButtonEvent event, unsigned button);

 private:
  bool addIcon() override;
  void restoreApplication() override;
  void showTaskbarEntry() override;
  void hideTaskbarEntry() override;
  void bringToFront() override;
  CursorPoint cursorPos() override;
  void showMenuAt(CursorPoint where) override;

  void onIconize(wxIconizeEvent& event);

  wxTopLevelWindow& owner_;
  wxMenu& popupMenu_;
  wxBitmap image_;
  std::function<void(const std::exception&)> reportError_;
  TrayIconRules rules_{*this};
  GtkStatusIcon* icon_ = nullptr;
};

}  // namespace velmo
