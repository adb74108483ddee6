// The system's hotkey registrations, kept once above the backends: which
// window holds which combination under which id, and who a press reaches.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "platform/KeyGrabber.h"
#include "platform/Platform.h"

namespace velmo {

class HotkeyTable : public Hotkeys {
 public:
  explicit HotkeyTable(KeyGrabber& grabber);
  ~HotkeyTable() override;

  bool RegisterHotKey(HotkeySink* owner, int id, unsigned modifiers, unsigned vk) override;
  void UnregisterHotKey(HotkeySink* owner, int id) override;

  // Releases every id a window holds (the window is going away).
  void releaseAll(HotkeySink* owner);

 private:
  struct Combo {
    unsigned modifiers;
    unsigned vk;
    bool operator==(const Combo&) const = default;
  };
  using Key = std::pair<HotkeySink*, int>;

  void onPress(unsigned modifiers, unsigned vk);
  // The desktop's answer, routed to the windows holding the combinations;
  // a refused one is forgotten, as a refused RegisterHotKey would be.
  void onOutcomes(const std::vector<GrabOutcome>& outcomes);

  KeyGrabber& grabber_;
  std::map<Key, Combo> byId_;
};

}  // namespace velmo
