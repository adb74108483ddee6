// The Linux desktop: X11 for hotkeys and the mouse, GLib for message pumping,
// GTK CSS for the look.
#include <cstdlib>

#include "platform/Desktop.h"
#include "platform/gtk/GtkEventPump.h"
#include "platform/gtk/Look.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Platform.h"

namespace velmo {

namespace {

bool HasEnv(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

class GtkDesktop : public Desktop {
 public:
  explicit GtkDesktop(std::unique_ptr<x11::X11Platform> x11) : x11_(std::move(x11)) {}
  KeyGrabber& grabber() override { return *x11_->grabber; }
  Mouse& mouse() override { return *x11_->mouse; }
  EventPump& pump() override { return pump_; }

 private:
  std::unique_ptr<x11::X11Platform> x11_;
  GtkEventPump pump_;
};

}  // namespace

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

}  // namespace velmo
