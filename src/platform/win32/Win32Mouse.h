// Synthesised mouse and key input through SendInput. Button and key events
// wait until flush(), so a tick's burst of clicks reaches the system in one
// call; a cursor move first sends what waits, keeping the order asked for.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/Platform.h"

namespace velmo::win32 {

class Win32Mouse : public Mouse {
 public:
  Win32Mouse();
  // Queues the button flags in the order mouse_event handles them: left
  // down, left up, right down, right up, each its own input.
  void mouseEvent(unsigned flags) override;
  // Sends what waits, then moves the cursor (the system clamps it to the
  // screen). Throws InputRefused when the system refuses.
  void SetCursorPos(int x, int y) override;
  CursorPoint GetCursorPos() override;
  // Queues the key with its scan code, for programs that read those.
  void keybdEvent(unsigned vk, unsigned flags) override;
  // WindowFromPoint and GetForegroundWindow, judged by their process.
  bool ownWindowFromPoint(CursorPoint point) override;
  bool ownWindowFocused() override;
  // The integrity level of the window's process against this one's; a
  // process whose token cannot even be read counts as above. The answer for
  // the last process asked is kept.
  bool elevatedWindowFromPoint(CursorPoint point) override;
  // Throws InputRefused when SendInput inserts fewer events than it was given
  // (input blocked by another desktop or a program of higher integrity).
  void flush() override;

 private:
  std::vector<INPUT> pending_;
  DWORD ownLevel_;
  DWORD lastProcess_ = 0;
  bool lastElevated_ = false;
};

}  // namespace velmo::win32
