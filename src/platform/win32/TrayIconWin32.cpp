// Windows host of the tray icon's rules. wxTaskBarIcon passes on each of the
// shell's mouse notifications as its own event, adds the icon again when the
// shell's taskbar is re-created ("TaskbarCreated"), and opens menus the way
// the shell needs (foreground first, an empty message after).
#include <wx/app.h>
#include <wx/image.h>
#include <wx/taskbar.h>
#include <windows.h>

#include "common/Errors.h"
#include "platform/wx/WxTrayHost.h"

namespace velmo {

namespace {

class Win32TrayIcon : public WxTrayHost {
 public:
  Win32TrayIcon(wxTopLevelWindow& owner, wxMenu& popupMenu, const wxBitmap& image,
                std::function<void(const std::exception&)> reportError)
      : WxTrayHost(owner, std::move(reportError)), popupMenu_(popupMenu), image_(image) {
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
    // Run as administrator, the program would not hear Explorer's
    // "TaskbarCreated", sent from a lower integrity level, and the icon would
    // not come back when Explorer restarts: that one message is let in.
    ChangeWindowMessageFilter(RegisterWindowMessageW(L"TaskbarCreated"), MSGFLT_ADD);
    // A log-off or shut-down that goes ahead takes the icon away at once.
    wxTheApp->Bind(wxEVT_END_SESSION, &Win32TrayIcon::onEndSession, this);
    rules().addIcon();
  }

  ~Win32TrayIcon() override {
    wxTheApp->Unbind(wxEVT_END_SESSION, &Win32TrayIcon::onEndSession, this);
    icon_.RemoveIcon();
  }

 private:
  // The tray shows small icons, 16 px at 100 % and larger with the screen's
  // DPI: the picture is drawn at each size the tray may ask for, so wx picks
  // the one for the DPI rather than hand the shell 32 px to shrink.
  bool addIcon() override {
    if (!image_.IsOk()) return false;
    const wxImage picture = image_.ConvertToImage();
    wxVector<wxBitmap> sizes;
    for (int side : {16, 20, 24, 32})
      sizes.push_back(wxBitmap(picture.Scale(side, side, wxIMAGE_QUALITY_HIGH)));
    return icon_.SetIcon(wxBitmapBundle::FromBitmaps(sizes));
  }
  // A minimised top-level window leaves the taskbar while it is hidden.
  void showTaskbarEntry() override { owner_.Show(); }
  void hideTaskbarEntry() override { owner_.Hide(); }
  // wxTaskBarIcon opens the menu at the cursor, where the rules ask for it.
  void showMenuAt(CursorPoint) override {
    if (!icon_.PopupMenu(&popupMenu_)) throw AppError("The tray menu could not be opened");
  }

  void onEndSession(wxCloseEvent& event) {
    event.Skip();
    icon_.RemoveIcon();
  }

  wxMenu& popupMenu_;
  wxBitmap image_;
  wxTaskBarIcon icon_;
};

}  // namespace

std::unique_ptr<TrayIcon> NewTrayIcon(wxTopLevelWindow& owner, wxMenu& popupMenu,
                                      const wxBitmap& image,
                                      std::function<void(const std::exception&)> reportError) {
  return std::make_unique<Win32TrayIcon>(owner, popupMenu, image, std::move(reportError));
}

}  // namespace velmo
