// Windows host of the tray icon's rules. wxTaskBarIcon passes on each of the
// shell's mouse notifications as its own event, adds the icon again when the
// shell's taskbar is re-created ("TaskbarCreated"), and opens menus the way
// the shell needs (foreground first, an empty message after).
#include <wx/app.h>
#include <wx/taskbar.h>

#include "common/Errors.h"
#include "platform/TrayIcon.h"

namespace velmo {

namespace {

class Win32TrayIcon : public TrayIcon, private TrayHost {
 public:
  Win32TrayIcon(wxTopLevelWindow& owner, wxMenu& popupMenu, const wxBitmap& image,
                std::function<void(const std::exception&)> reportError)
      : owner_(owner), popupMenu_(popupMenu), image_(image), reportError_(std::move(reportError)) {
    const std::pair<wxEventTypeTag<wxTaskBarIconEvent>, TrayClick> gestures[] = {
        {wxEVT_TASKBAR_LEFT_DOWN, TrayClick::LeftClick},
        {wxEVT_TASKBAR_LEFT_UP, TrayClick::LeftClickUp},
        {wxEVT_TASKBAR_LEFT_DCLICK, TrayClick::LeftDblClick},
        {wxEVT_TASKBAR_RIGHT_DOWN, TrayClick::RightClick},
        {wxEVT_TASKBAR_RIGHT_UP, TrayClick::RightClickUp},
        {wxEVT_TASKBAR_RIGHT_DCLICK, TrayClick::RightDblClick},
    };
    for (const auto& [type, gesture] : gestures)
      icon_.Bind(type, [this, gesture = gesture](wxTaskBarIconEvent&) { onGesture(gesture); });
    owner_.Bind(wxEVT_ICONIZE, &Win32TrayIcon::onIconize, this);
    // A log-off or shut-down that goes ahead takes the icon away at once.
    wxTheApp->Bind(wxEVT_END_SESSION, &Win32TrayIcon::onEndSession, this);
    rules_.addIcon();
  }

  ~Win32TrayIcon() override {
    wxTheApp->Unbind(wxEVT_END_SESSION, &Win32TrayIcon::onEndSession, this);
    owner_.Unbind(wxEVT_ICONIZE, &Win32TrayIcon::onIconize, this);
    icon_.RemoveIcon();
  }

  TrayIconRules& rules() override { return rules_; }

 private:
  bool addIcon() override { return image_.IsOk() && icon_.SetIcon(wxBitmapBundle(image_)); }
  void restoreApplication() override { owner_.Iconize(false); }
  // A minimised top-level window leaves the taskbar while it is hidden.
  void showTaskbarEntry() override { owner_.Show(); }
  void hideTaskbarEntry() override { owner_.Hide(); }
  void bringToFront() override {
    if (!owner_.IsIconized()) owner_.Raise();
  }
  CursorPoint cursorPos() override {
    const wxPoint at = wxGetMousePosition();
    return {at.x, at.y};
  }
  // wxTaskBarIcon opens the menu at the cursor, where the rules ask for it.
  void showMenuAt(CursorPoint) override {
    if (!icon_.PopupMenu(&popupMenu_)) throw AppError("The tray menu could not be opened");
  }

  void onGesture(TrayClick gesture) {
    try {
      rules_.onGesture(gesture);
    } catch (const std::exception& error) {
      reportError_(error);
    }
  }

  void onIconize(wxIconizeEvent& event) {
    event.Skip();
    if (event.IsIconized())
      rules_.onApplicationMinimize();
    else
      rules_.onApplicationRestore();
  }

  void onEndSession(wxCloseEvent& event) {
    event.Skip();
    icon_.RemoveIcon();
  }

  wxTopLevelWindow& owner_;
  wxMenu& popupMenu_;
  wxBitmap image_;
  std::function<void(const std::exception&)> reportError_;
  wxTaskBarIcon icon_;
  TrayIconRules rules_{*this};
};

}  // namespace

std::unique_ptr<TrayIcon> NewTrayIcon(wxTopLevelWindow& owner, wxMenu& popupMenu,
                                      const wxBitmap& image,
                                      std::function<void(const std::exception&)> reportError) {
  return std::make_unique<Win32TrayIcon>(owner, popupMenu, image, std::move(reportError));
}

}  // namespace velmo
