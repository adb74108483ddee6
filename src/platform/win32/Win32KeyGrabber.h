// Global hotkeys on Windows: RegisterHotKey on a message-only window of our
// own, whose WM_HOTKEY messages the thread's message loop dispatches to the
// press handler (HotkeyTable, which hands them to the owner's WMHotKey).
#pragma once

#include <vector>

#include "platform/KeyGrabber.h"

namespace velmo::win32 {

class Win32KeyGrabber : public KeyGrabber {
 public:
  // Makes the window on the calling thread, which must run a message loop.
  // Throws AppError when the system refuses the window.
  Win32KeyGrabber();
  ~Win32KeyGrabber() override;
  Win32KeyGrabber(const Win32KeyGrabber&) = delete;
  Win32KeyGrabber& operator=(const Win32KeyGrabber&) = delete;

  // RegisterHotKey with MOD_NOREPEAT, so a held key is one press. Refused
  // when any program, this one included, holds the combination.
  bool grab(unsigned modifiers, unsigned vk) override;
  void ungrab(unsigned modifiers, unsigned vk) override;
  void setPressHandler(PressHandler handler) override;

  // The window procedure's way in: WM_HOTKEY for one of our ids.
  void onHotKey(int id);

 private:
  struct Grab {
    unsigned modifiers;
    unsigned vk;
    int id;  // our RegisterHotKey id
  };

  int freeId() const;

  void* window_;  // HWND
  std::vector<Grab> grabs_;
  PressHandler handler_;
};

}  // namespace velmo::win32
