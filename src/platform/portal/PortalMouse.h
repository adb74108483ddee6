// Synthesised mouse input through the desktop portal's RemoteDesktop
// interface, where the compositor (GNOME's, KDE's) takes no virtual pointer.
//
// One session serves the program's life. It starts at the first click or
// move, not at start-up, because starting asks the user's consent: the
// pointer, with every monitor shared through ScreenCast in the same session,
// since absolute motions are given in a monitor stream's coordinates. Where
// the portal can remember the consent (RemoteDesktop version 2 and later),
// its restore token is kept in a file and offered at the next start.
//
// A refused or ended session throws AppError, which stops the clicker with
// one message; the next click asks again. GetCursorPos answers where this
// mouse last put the pointer, and the questions about the program's own
// windows are answered false, as on any Wayland desktop.
#pragma once

#include <gio/gio.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/portal/PortalStreams.h"

namespace velmo::portal {

class PortalMouse : public Mouse {
 public:
  // `bus` (a reference is taken) offers the RemoteDesktop portal of
  // `version`; the restore token lives in the file `tokenPath`.
  PortalMouse(GDBusConnection* bus, unsigned version, std::string tokenPath);
  ~PortalMouse() override;
  PortalMouse(const PortalMouse&) = delete;
  PortalMouse& operator=(const PortalMouse&) = delete;

  // Presses and releases in the order Windows handles the flags: left down,
  // left up, right down, right up, middle down, middle up.
  void mouseEvent(unsigned flags) override;
  // Throws AppError: the session has the pointer only.
  void keybdEvent(unsigned vk, unsigned flags) override;
  bool ownWindowFromPoint(CursorPoint) override { return false; }
  bool ownWindowFocused() override { return false; }
  bool elevatedWindowFromPoint(CursorPoint) override { return false; }
  // Moves to desktop coordinates, kept on the shared monitors.
  void SetCursorPos(int x, int y) override;
  CursorPoint GetCursorPos() override { return position_; }
  // Every event is sent as it comes.
  void flush() override {}

 private:
  // Starts the session unless one runs; false while the consent is being
  // asked (a click of a timer meanwhile has nowhere to go yet).
  bool ready();
  void startSession();
  // Stops watching the session and forgets it, releasing the buttons held.
  void endSession(bool closeIt);
  // Ends the session and throws the message for why it cannot go on.
  [[noreturn]] void fail(const std::string& chinese, const std::string& english);
  void notify(const char* method, GVariant* parameters);
  void button(int code, bool press);
  std::string readToken() const;
  void keepToken(GVariant* results) const;

  GDBusConnection* bus_;
  unsigned version_;
  std::string tokenPath_;
  std::string session_;  // empty while none runs
  guint closedWatch_ = 0;
  bool closed_ = false;    // the portal said the session ended
  bool starting_ = false;  // the consent is being asked
  std::vector<PortalStream> streams_;
  std::vector<int> pressed_;  // buttons down, by code
  CursorPoint position_;
};

// The portal's mouse, or nullptr with the reason in `error` when there is no
// session bus or it offers no RemoteDesktop portal with a pointer. No session
// is created yet.
std::unique_ptr<PortalMouse> OpenPortalMouse(std::string tokenPath, std::string& error);

}  // namespace velmo::portal
