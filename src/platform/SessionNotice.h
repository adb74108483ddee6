// What works on the desktop session the program runs in, said once at start:
// on an X11 desktop and on Windows everything does; on Wayland the program's
// windows run through Xwayland and what reaches other programs depends on the
// compositor and on the desktop portal.
#pragma once

#include <string>

namespace velmo {

enum class SessionKind {
  Complete,      // X11 or Windows: clicks, hotkeys and F11 everywhere
  Sway,          // clicks through the virtual pointer, hotkeys as sway's key bindings
  Wlroots,       // clicks through the virtual pointer; keys to bind by hand
  Portal,        // clicks through the desktop portal, with the user's consent; keys by hand
  OtherWayland,  // clicks and hotkeys reach X11 programs only
};

struct SessionFacts {
  bool wayland = false;          // WAYLAND_DISPLAY is set
  bool virtualPointer = false;   // the compositor takes a virtual pointer
  bool sway = false;             // sway's IPC socket is there
  bool portalPointer = false;    // the desktop portal offers a RemoteDesktop pointer
  bool portalShortcuts = false;  // the desktop portal offers GlobalShortcuts
};

SessionKind KindOfSession(const SessionFacts& facts);
// The hotkeys are the desktop portal's global shortcuts: on Wayland, except
// on sway, whose key bindings serve, where the portal offers them. Elsewhere
// on Wayland they are bound by hand to the command line.
bool HotkeysThroughPortal(const SessionFacts& facts);

// The most button presses one clicker tick may send, or 0 for no limit
// beyond the clicker's own burst. Where clicks reach programs through the
// compositor (the virtual pointer, the portal), it cuts off a program that
// falls about 200 KB behind in reading them, and the program usually ends:
// a GTK window taking a millisecond per press was cut off within 10 s at 10
// presses per 10 ms tick, and kept up for good at 5.
int MostPressesPerTick(const SessionFacts& facts);

// The status bar's line for the session; empty where everything works.
std::string SessionNoticeLine(const SessionFacts& facts);
// The box shown the first time the program starts on such a session; where
// the hotkeys have to be bound by hand, or through the portal, it names the
// program's own, the clicker's and the stop hotkey's texts ("Ctrl+F3", "F6").
std::string SessionNoticeText(const SessionFacts& facts, const std::string& clickerHotkey,
                              const std::string& stopHotkey);
// The name setting.ini keeps of the last session whose box was shown.
std::string SessionNoticeName(const SessionFacts& facts);

}  // namespace velmo
