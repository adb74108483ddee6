// Synthesised mouse input on a wlroots compositor through one virtual
// pointer device, kept for the program's life and bound to no output, so
// that absolute motions span the whole layout.
//
// sway 1.7 loses a button press that comes a moment (from about a
// millisecond to tens of milliseconds) after the motion that brought the
// pointer to a new place, but never one handled together with that motion.
// So a motion and the buttons that follow it reach the compositor in one
// write: flush() holds back a motion no button has followed yet, and the
// connection's event source sends it before the main loop next waits.
//
// Wayland tells no client where the pointer is over another client's
// surface, nor which surface is under a point: GetCursorPos answers where
// this device last put the pointer, and the questions about the program's
// own windows are answered false.
#pragma once

#include "platform/Platform.h"
#include "platform/wayland/WaylandConnection.h"

struct zwlr_virtual_pointer_v1;

namespace velmo::wayland {

class WaylandMouse : public Mouse {
 public:
  // Creates the device on the connection's seat. Throws AppError when the
  // connection is lost.
  explicit WaylandMouse(WaylandConnection& connection);
  ~WaylandMouse() override;
  WaylandMouse(const WaylandMouse&) = delete;
  WaylandMouse& operator=(const WaylandMouse&) = delete;

  // Presses and releases in the order Windows handles the flags: left down,
  // left up, right down, right up, middle down, middle up.
  void mouseEvent(unsigned flags) override;
  // Throws AppError: the virtual pointer has no keys.
  void keybdEvent(unsigned vk, unsigned flags) override;
  bool ownWindowFromPoint(CursorPoint) override { return false; }
  bool ownWindowFocused() override { return false; }
  bool elevatedWindowFromPoint(CursorPoint) override { return false; }
  // Moves to desktop coordinates of the layout, kept inside it. Throws
  // AppError when the compositor shows no output.
  void SetCursorPos(int x, int y) override;
  CursorPoint GetCursorPos() override { return position_; }
  // Sends what was written, except a motion that no button has followed
  // yet (see above). Throws AppError when the connection is lost.
  void flush() override;

 private:
  uint32_t now() const;

  WaylandConnection& connection_;
  zwlr_virtual_pointer_v1* pointer_;
  CursorPoint position_;
  bool motionAlone_ = false;  // a motion no button has followed yet
  int unsent_ = 0;            // button events written since the last flush
};

}  // namespace velmo::wayland
