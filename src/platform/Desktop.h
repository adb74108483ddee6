// The desktop the windows run on, as start-up opens it. One implementation per
// system, chosen by the build: platform/gtk (X11 hotkeys and mouse, the GLib
// message pump, the GTK look) and platform/win32.
#pragma once

#include <memory>
#include <string>

#include "platform/ClickRecorder.h"
#include "platform/KeyGrabber.h"
#include "platform/Platform.h"
#include "platform/PointPicker.h"
#include "platform/SessionNotice.h"
#include "platform/TimerTick.h"

namespace velmo {

class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual KeyGrabber& grabber() = 0;
  virtual Mouse& mouse() = 0;
  virtual EventPump& pump() = 0;
  virtual ClickRecorder& recorder() = 0;
  // A hotkey press the compositor reported by starting `velmo --hotkey`,
  // where the program's hotkeys are the compositor's key bindings (sway).
  virtual void hotkeyPressed(unsigned modifiers, unsigned vk) = 0;
  virtual SessionFacts session() const = 0;
  // Picking a point on the screen where the cursor cannot be read; nullptr
  // where it can.
  virtual PointPicker* picker() = 0;
};

// Before the toolkit starts: on a Wayland session with Xwayland the windows
// go to Xwayland, where the program can see and place them as on X11.
void PrepareToolkit();

// Checked before the toolkit starts: the message saying why no window can be
// shown at all (no display to connect to), or empty.
std::string MissingDesktopText();

// Once the toolkit runs and before the first window: nullptr, with a message
// for the user in `error`, when the system lacks what global hotkeys or
// synthesised clicks need.
std::unique_ptr<Desktop> ConnectDesktop(std::string& error);

// The system's way to open web addresses: platform/wx/WxShell (xdg-open) or
// platform/win32/Win32Shell (ShellExecuteW).
std::unique_ptr<Shell> NewShell();

// What the timers ask for a finer tick: platform/win32/Win32TimerTick; none
// (nullptr) on Linux, whose timers wake on time anyway.
std::unique_ptr<TimerTick> NewTimerTick();

}  // namespace velmo
