// GTK host of the tray icon's rules: a GtkStatusIcon of its own, whose raw
// button events tell a click from a double click.
#pragma once

#include <wx/event.h>

#include "platform/TrayIcon.h"

typedef struct _GtkStatusIcon GtkStatusIcon;

namespace velmo {

class GtkTrayIcon : public TrayIcon, public wxEvtHandler, private TrayHost {
 public:
  GtkTrayIcon(wxTopLevelWindow& owner, wxMenu& popupMenu, const wxBitmap& image,
           std::function<void(const std::exception&)> reportError);
  ~GtkTrayIcon() override;
  GtkTrayIcon(const GtkTrayIcon&) = delete;
  GtkTrayIcon& operator=(const GtkTrayIcon&) = delete;

  TrayIconRules& rules() override { return rules_; }
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
