// The Linux desktop: X11 for hotkeys, the mouse and recording, GLib for message pumping,
// GTK CSS for the look.
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/Desktop.h"
#include "platform/gtk/GtkEventPump.h"
#include "platform/gtk/Look.h"
#include "platform/portal/PortalMouse.h"
#include "platform/portal/PortalShortcuts.h"
#include "platform/sway/SwayIpc.h"
#include "platform/sway/SwayKeyGrabber.h"
#include "platform/wayland/WaylandInput.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11Recorder.h"

namespace velmo {

namespace {

bool HasEnv(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Calls `visit` with each window GDK made at the top of the screen (frames,
// dialogs, pop-up lists and menus alike) until it returns true.
template <class Visit>
bool AnyTopLevel(Visit visit) {
  GdkScreen* screen = gdk_screen_get_default();
  if (screen == nullptr || !GDK_IS_X11_SCREEN(screen)) return false;
  GList* windows = gdk_screen_get_toplevel_windows(screen);
  bool found = false;
  for (GList* item = windows; item != nullptr && !found; item = item->next)
    found = visit(GDK_WINDOW(item->data));
  g_list_free(windows);
  return found;
}

bool IsOwnTopLevel(Window window) {
  return AnyTopLevel([window](GdkWindow* own) { return gdk_x11_window_get_xid(own) == window; });
}

// From what GDK keeps of each window, without asking the server: a shown
// window, with room around it for a window manager's frame, holds the point.
bool MayBeNearOwnWindow(CursorPoint point) {
  constexpr int kFrameRoom = 64;
  return AnyTopLevel([point](GdkWindow* own) {
    if (!gdk_window_is_viewable(own)) return false;
    const int scale = gdk_window_get_scale_factor(own);
    int x = 0, y = 0;
    gdk_window_get_position(own, &x, &y);
    const int left = x * scale - kFrameRoom, top = y * scale - kFrameRoom;
    const int right = (x + gdk_window_get_width(own)) * scale + kFrameRoom;
    const int bottom = (y + gdk_window_get_height(own)) * scale + kFrameRoom;
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  });
}

bool OwnWindowFocused() {
  GList* windows = gtk_window_list_toplevels();
  bool focused = false;
  for (GList* item = windows; item != nullptr && !focused; item = item->next)
    focused = gtk_window_is_active(GTK_WINDOW(item->data));
  g_list_free(windows);
  return focused;
}

// GTK's setting, which follows the desktop's.
int DoubleClickTime() {
  gint ms = 400;
  g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &ms, nullptr);
  return ms;
}

// This program's executable, which sway's key bindings start.
std::string ExecutablePath() {
  std::string path(4096, '\0');
  const ssize_t size = readlink("/proc/self/exe", path.data(), path.size() - 1);
  path.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
  return path.empty() ? "velmo" : path;
}

// Where the portal keeps the consent to the pointer, if it can.
std::string PortalTokenPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const std::string folder = config && *config ? config : std::string(g_get_home_dir()) + "/.config";
  return folder + "/velmo/portal-token";
}

// On Wayland: the pointer through the compositor's virtual pointer or the
// desktop portal, which reach every window; what concerns the program's own windows (they
// are Xwayland's, placed in the same desktop coordinates) and keys through X11.
class XwaylandMouse : public Mouse {
 public:
  XwaylandMouse(Mouse& pointer, Mouse& x11) : pointer_(pointer), x11_(x11) {}
  void mouseEvent(unsigned flags) override { pointer_.mouseEvent(flags); }
  void keybdEvent(unsigned vk, unsigned flags) override { x11_.keybdEvent(vk, flags); }
  // Xwayland knows only X11 windows: one of ours under the point may lie
  // below a Wayland window there. It counts while ours has the focus, and so
  // is likely in front; a Wayland window in front has the focus itself.
  bool ownWindowFromPoint(CursorPoint point) override {
    return x11_.ownWindowFocused() && x11_.ownWindowFromPoint(point);
  }
  bool ownWindowFocused() override { return x11_.ownWindowFocused(); }
  bool elevatedWindowFromPoint(CursorPoint) override { return false; }  // a Windows matter
  void SetCursorPos(int x, int y) override { pointer_.SetCursorPos(x, y); }
  CursorPoint GetCursorPos() override { return pointer_.GetCursorPos(); }
  void flush() override {
    x11_.flush();
    pointer_.flush();
  }

 private:
  Mouse& pointer_;
  Mouse& x11_;
};

class GtkDesktop : public Desktop {
 public:
  explicit GtkDesktop(std::unique_ptr<x11::X11Platform> x11) : x11_(std::move(x11)) {
    x11_->mouse->recogniseOwnWindows({&IsOwnTopLevel, &MayBeNearOwnWindow, &OwnWindowFocused});
    if (HasEnv("WAYLAND_DISPLAY")) {
      std::string why;
      wayland_ = wayland::OpenWaylandInput(why);
      if (wayland_) {
        mouse_ = std::make_unique<XwaylandMouse>(*wayland_->mouse, *x11_->mouse);
      } else {
        std::string portalWhy;
        portal_ = portal::OpenPortalMouse(PortalTokenPath(), portalWhy);
        if (portal_)
          mouse_ = std::make_unique<XwaylandMouse>(*portal_, *x11_->mouse);
        else
          std::fprintf(stderr, "Velmo: %s\nVelmo: %s\n", why.c_str(), portalWhy.c_str());
      }
    }
    // On sway the hotkeys are its key bindings, elsewhere on Wayland the
    // desktop portal's global shortcuts where it has them: an X11 grab would
    // see only the keys typed into X11 windows.
    const std::string swaySocket = sway::SwaySocketPath();
    if (!swaySocket.empty()) {
      sway_ = std::make_unique<sway::SwayKeyGrabber>(swaySocket, ExecutablePath());
    } else if (HasEnv("WAYLAND_DISPLAY")) {
      std::string why;
      shortcuts_ = portal::OpenPortalShortcuts(why);
      if (!shortcuts_) std::fprintf(stderr, "Velmo: %s\n", why.c_str());
    }
  }
  KeyGrabber& grabber() override {
    if (sway_) return *sway_;
    if (shortcuts_) return *shortcuts_;
    return *x11_->grabber;
  }
  void hotkeyPressed(unsigned modifiers, unsigned vk) override {
    if (sway_) sway_->pressed(modifiers, vk);
  }
  SessionFacts session() const override {
    return {HasEnv("WAYLAND_DISPLAY"), wayland_ != nullptr, sway_ != nullptr, portal_ != nullptr,
            shortcuts_ != nullptr};
  }
  Mouse& mouse() override {
    if (mouse_) return *mouse_;
    return *x11_->mouse;
  }
  PointPicker* picker() override { return wayland_ ? wayland_->picker.get() : nullptr; }
  EventPump& pump() override { return pump_; }
  ClickRecorder& recorder() override { return recorder_; }

 private:
  std::unique_ptr<x11::X11Platform> x11_;
  std::unique_ptr<sway::SwayKeyGrabber> sway_;
  std::unique_ptr<wayland::WaylandInput> wayland_;
  std::unique_ptr<portal::PortalMouse> portal_;
  std::unique_ptr<portal::PortalShortcuts> shortcuts_;
  std::unique_ptr<XwaylandMouse> mouse_;
  GtkEventPump pump_;
  x11::X11Recorder recorder_{&DoubleClickTime};
};

}  // namespace

void PrepareToolkit() {
  if (HasEnv("WAYLAND_DISPLAY") && HasEnv("DISPLAY")) gdk_set_allowed_backends("x11");
}

std::string MissingDesktopText() {
  // Without an X display GTK cannot start at all; say what is missing instead
  // of failing silently. A Wayland-only session still gets a message box.
  if (!HasEnv("DISPLAY") && !HasEnv("WAYLAND_DISPLAY")) return x11::MissingDisplayText();
  // A display that does not answer: GTK would only say it cannot start.
  std::string error;
  if (HasEnv("DISPLAY") && !x11::OpenDisplay(error)) return error;
  return {};
}

std::unique_ptr<Desktop> ConnectDesktop(std::string& error) {
  ApplyCompactLook();
  KeepOneTabStopPerComboBox();
  auto x11 = x11::OpenX11Platform(error);
  if (!x11) return nullptr;
  return std::make_unique<GtkDesktop>(std::move(x11));
}

// GLib's timeouts wake on Linux's high-resolution timers: nothing to ask for.
std::unique_ptr<TimerTick> NewTimerTick() { return nullptr; }

}  // namespace velmo
