// Global hotkeys on sway: each combination is bound at run time to this
// program's own command line (`velmo --hotkey MODIFIERS VK`), which hands the
// press to the running program, and unbound when released or at exit. Keys
// bound this way reach the program whatever window has the focus, Wayland's
// included, where an X11 grab sees only X11 windows' keys.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/KeyGrabber.h"

namespace velmo::sway {

class SwayKeyGrabber : public KeyGrabber {
 public:
  // `socketPath` is sway's IPC socket, `program` this program's executable.
  SwayKeyGrabber(std::string socketPath, std::string program);
  ~SwayKeyGrabber() override;

  bool grab(unsigned modifiers, unsigned vk) override;
  void ungrab(unsigned modifiers, unsigned vk) override;
  // Presses come back through the command line (a `--hotkey` request to the
  // running program), which calls pressed().
  void setPressHandler(PressHandler handler) override { handler_ = std::move(handler); }
  // A press of a bound combination, as sway reported it; others are ignored.
  void pressed(unsigned modifiers, unsigned vk);

 private:
  bool bound(unsigned modifiers, unsigned vk) const;
  bool command(const std::string& text);

  std::string socketPath_;
  std::string program_;
  std::vector<std::pair<unsigned, unsigned>> bound_;
  PressHandler handler_;
};

// sway's name of a combination ("Ctrl+Mod1+F3"); empty for one it cannot bind.
std::string SwayCombination(unsigned modifiers, unsigned vk);

}  // namespace velmo::sway
