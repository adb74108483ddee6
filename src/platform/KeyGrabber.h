// What a platform backend provides for global hotkeys: grab and release one
// combination system-wide, and report presses of grabbed combinations.
#pragma once

#include <functional>

namespace velmo {

class KeyGrabber {
 public:
  using PressHandler = std::function<void(unsigned modifiers, unsigned vk)>;
  virtual ~KeyGrabber() = default;
  // False when the combination is held by another program or has no key on
  // this keyboard. A refused grab leaves nothing grabbed.
  virtual bool grab(unsigned modifiers, unsigned vk) = 0;
  virtual void ungrab(unsigned modifiers, unsigned vk) = 0;
  // Presses of grabbed combinations are reported here, on the UI thread.
  virtual void setPressHandler(PressHandler handler) = 0;
};

}  // namespace velmo
