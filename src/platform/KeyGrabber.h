// What a platform backend provides for global hotkeys: grab and release one
// combination system-wide, and report presses of grabbed combinations.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace velmo {

// What a desktop that binds the hotkeys itself, after asking the user, made
// of a grabbed combination: the trigger it shows for it, which the user may
// have changed, or a refusal.
struct GrabOutcome {
  unsigned modifiers = 0;
  unsigned vk = 0;
  bool bound = false;
  std::string trigger;  // in the desktop's words ("Ctrl+F3"); may be empty when bound
};

class KeyGrabber {
 public:
  using PressHandler = std::function<void(unsigned modifiers, unsigned vk)>;
  using OutcomeHandler = std::function<void(const std::vector<GrabOutcome>&)>;
  virtual ~KeyGrabber() = default;
  // False when the combination is held by another program or has no key on
  // this keyboard. A refused grab leaves nothing grabbed.
  virtual bool grab(unsigned modifiers, unsigned vk) = 0;
  virtual void ungrab(unsigned modifiers, unsigned vk) = 0;
  // Presses of grabbed combinations are reported here, on the UI thread.
  virtual void setPressHandler(PressHandler handler) = 0;
  // Where the desktop answers later than grab() (the desktop portal's global
  // shortcuts): every grabbed combination with its outcome, on the UI thread,
  // each time the desktop has answered. A refused combination is grabbed no
  // longer. Grabbers that answer in grab() itself never report.
  void setOutcomeHandler(OutcomeHandler handler) { outcomes_ = std::move(handler); }

 protected:
  void reportOutcomes(const std::vector<GrabOutcome>& outcomes) {
    if (outcomes_) outcomes_(outcomes);
  }

 private:
  OutcomeHandler outcomes_;
};

}  // namespace velmo
