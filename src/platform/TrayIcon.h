// The notification-area icon component (rztrycn1): shows the program's icon
// while the desktop has a tray host, hides the owner's taskbar entry while it
// is minimised, restores it on a left double click and opens the popup menu
// on a right button release. The rules are TrayIconRules'; each desktop hosts
// them with its own icon (platform/gtk, platform/win32).
#pragma once

#include <wx/bitmap.h>
#include <wx/menu.h>
#include <wx/toplevel.h>

#include <exception>
#include <functional>
#include <memory>

#include "platform/TrayGestures.h"

namespace velmo {

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual TrayIconRules& rules() = 0;
};

// The icon of `owner`, added at once. `reportError` shows an error that
// escapes a gesture: the icon's own notifications do not pass through the
// application's event guard.
std::unique_ptr<TrayIcon> NewTrayIcon(wxTopLevelWindow& owner, wxMenu& popupMenu,
                                      const wxBitmap& image,
                                      std::function<void(const std::exception&)> reportError);

}  // namespace velmo
