// GTK host of the tray icon. wxTaskBarIcon cannot be used here: on GTK it
// reports a single left click as a double click and never reports the right
// button's release, the two gestures the icon's rules are about. A
// GtkStatusIcon of our own gives the raw button events.
#include <gtk/gtk.h>
#include <wx/taskbar.h>

#include "platform/gtk/GtkTrayIcon.h"
#include "common/Errors.h"

// GtkStatusIcon is deprecated in GTK 3 but is what the XEmbed tray hosts of
// X11 desktops (trayer, stalonetray, panels' tray applets) still show.
G_GNUC_BEGIN_IGNORE_DEPRECATIONS

namespace velmo {

namespace {

gboolean onStatusIconButton(GtkStatusIcon*, GdkEventButton* event, gpointer self) {
  TrayButtonEvent kind;
  switch (event->type) {
    case GDK_BUTTON_PRESS:
      kind = TrayButtonEvent::Press;
      break;
    case GDK_2BUTTON_PRESS:
      kind = TrayButtonEvent::DoublePress;
      break;
    case GDK_BUTTON_RELEASE:
      kind = TrayButtonEvent::Release;
      break;
    default:
      return FALSE;
  }
  static_cast<GtkTrayIcon*>(self)->onButton(kind, event->button);
  return TRUE;
}

GtkWindow* gtkWindowOf(wxTopLevelWindow& window) { return GTK_WINDOW(window.GetHandle()); }

}  // namespace

GtkTrayIcon::GtkTrayIcon(wxTopLevelWindow& owner, wxMenu& popupMenu, const wxBitmap& image,
                         std::function<void(const std::exception&)> reportError)
    : WxTrayHost(owner, std::move(reportError)), popupMenu_(popupMenu), image_(image) {
  rules().addIcon();
}

GtkTrayIcon::~GtkTrayIcon() {
  // The icon leaves the notification area with its last reference.
  if (icon_) {
    g_signal_handlers_disconnect_by_data(icon_, this);
    g_object_unref(icon_);
  }
}

bool GtkTrayIcon::addIcon() {
  // Without a tray host GTK still makes the icon, and nobody would ever see it.
  if (!wxTaskBarIcon::IsAvailable() || !image_.IsOk()) return false;
  icon_ = gtk_status_icon_new_from_pixbuf(image_.GetPixbuf());
  if (!icon_) return false;
  g_signal_connect(icon_, "button-press-event", G_CALLBACK(onStatusIconButton), this);
  g_signal_connect(icon_, "button-release-event", G_CALLBACK(onStatusIconButton), this);
  return true;
}

void GtkTrayIcon::onButton(TrayButtonEvent event, unsigned button) {
  onGesture(TrayClickFor(event, button));
}

void GtkTrayIcon::showTaskbarEntry() {
  gtk_window_set_skip_taskbar_hint(gtkWindowOf(owner_), FALSE);
}

void GtkTrayIcon::hideTaskbarEntry() {
  gtk_window_set_skip_taskbar_hint(gtkWindowOf(owner_), TRUE);
}

void GtkTrayIcon::showMenuAt(CursorPoint where) {
  if (!owner_.PopupMenu(&popupMenu_, owner_.ScreenToClient(wxPoint(where.x, where.y))))
    throw AppError("The tray menu could not be opened");
}

std::unique_ptr<TrayIcon> NewTrayIcon(wxTopLevelWindow& owner, wxMenu& popupMenu,
                                      const wxBitmap& image,
                                      std::function<void(const std::exception&)> reportError) {
  return std::make_unique<GtkTrayIcon>(owner, popupMenu, image, std::move(reportError));
}

}  // namespace velmo

G_GNUC_END_IGNORE_DEPRECATIONS
