// GTK host of the tray icon's rules: a GtkStatusIcon of its own, whose raw
// button events tell a click from a double click.
#pragma once

#include <wx/bitmap.h>
#include <wx/menu.h>

#include "platform/wx/WxTrayHost.h"

typedef struct _GtkStatusIcon GtkStatusIcon;

namespace velmo {

class GtkTrayIcon : public WxTrayHost {
 public:
  GtkTrayIcon(wxTopLevelWindow& owner, wxMenu& popupMenu, const wxBitmap& image,
              std::function<void(const std::exception&)> reportError);
  ~GtkTrayIcon() override;

  // The icon in the notification area; nullptr while there is none.
  GtkStatusIcon* statusIcon() const { return icon_; }
  // One button event on the icon, as the desktop reports it.
  void onButton(TrayButtonEvent event, unsigned button);

 private:
  bool addIcon() override;
  void showTaskbarEntry() override;
  void hideTaskbarEntry() override;
  void showMenuAt(CursorPoint where) override;

  wxMenu& popupMenu_;
  wxBitmap image_;
  GtkStatusIcon* icon_ = nullptr;
};

}  // namespace velmo
