// Global hotkeys through the desktop portal's GlobalShortcuts interface, on
// Wayland desktops that bind shortcuts for programs themselves (KDE Plasma
// 5.27 and later, GNOME 48 and later, Hyprland).
//
// A portal session binds its shortcuts once. grab() and ungrab() therefore
// only change the set of wanted combinations; once the program is idle the
// whole set is bound in a new session (the old one is closed), so that
// start-up's registrations ask the desktop once. The desktop may ask the
// user, who can choose other keys or refuse some: the answer goes to the
// outcome handler, and a refused combination is grabbed no longer.
#pragma once

#include <gio/gio.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/KeyGrabber.h"
#include "platform/portal/ShortcutTriggers.h"

namespace velmo::portal {

class PortalShortcuts : public KeyGrabber {
 public:
  // `bus` (a reference is taken) offers the GlobalShortcuts portal.
  explicit PortalShortcuts(GDBusConnection* bus);
  ~PortalShortcuts() override;
  PortalShortcuts(const PortalShortcuts&) = delete;
  PortalShortcuts& operator=(const PortalShortcuts&) = delete;

  // False for a combination already wanted or without a trigger name.
  bool grab(unsigned modifiers, unsigned vk) override;
  void ungrab(unsigned modifiers, unsigned vk) override;
  void setPressHandler(PressHandler handler) override { handler_ = std::move(handler); }

 private:
  void bindSoon();
  // Binds every wanted combination in a new session and reports the answer.
  void bind();
  // The trigger description of each shortcut id the desktop bound; throws
  // AppError when the portal fails.
  std::map<std::string, std::string> bindInNewSession();
  void closeSession();
  static void OnActivated(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                          const gchar*, GVariant* parameters, gpointer self);

  GDBusConnection* bus_;
  std::vector<Combination> wanted_;
  std::string session_;  // empty while none is open
  guint idle_ = 0;
  guint activatedWatch_ = 0;
  bool binding_ = false;
  bool changedWhileBinding_ = false;
  PressHandler handler_;
};

// The portal's global shortcuts, or nullptr with the reason in `error` when
// there is no session bus or its portal has no GlobalShortcuts.
std::unique_ptr<PortalShortcuts> OpenPortalShortcuts(std::string& error);

}  // namespace velmo::portal
