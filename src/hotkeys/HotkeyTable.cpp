#include "hotkeys/HotkeyTable.h"

#include <vector>

namespace velmo {

namespace {
constexpr unsigned kModifierMask = kModAlt | kModControl;
}

HotkeyTable::HotkeyTable(KeyGrabber& grabber) : grabber_(grabber) {
  grabber_.setPressHandler([this](unsigned m, unsigned vk) { onPress(m, vk); });
}

HotkeyTable::~HotkeyTable() {
  grabber_.setPressHandler(nullptr);
  for (const auto& [key, combo] : byId_) grabber_.ungrab(combo.modifiers, combo.vk);
}

bool HotkeyTable::RegisterHotKey(HotkeySink* owner, int id, unsigned modifiers, unsigned vk) {
  UnregisterHotKey(owner, id);
  const Combo combo{modifiers & kModifierMask, vk};
  for (const auto& [key, held] : byId_) {
    if (held == combo) return false;
  }
  if (!grabber_.grab(combo.modifiers, combo.vk)) return false;
  byId_[{owner, id}] = combo;
  return true;
}

void HotkeyTable::UnregisterHotKey(HotkeySink* owner, int id) {
  auto it = byId_.find({owner, id});
  if (it == byId_.end()) return;
  grabber_.ungrab(it->second.modifiers, it->second.vk);
  byId_.erase(it);
}

void HotkeyTable::releaseAll(HotkeySink* owner) {
  std::vector<int> ids;
  for (const auto& [key, combo] : byId_) {
    if (key.first == owner) ids.push_back(key.second);
  }
  for (int id : ids) UnregisterHotKey(owner, id);
}

void HotkeyTable::onPress(unsigned modifiers, unsigned vk) {
  const Combo pressed{modifiers & kModifierMask, vk};
  for (const auto& [key, combo] : byId_) {
    if (combo == pressed) {
      // The handler may re-register or release ids; deliver after the lookup.
      HotkeySink* owner = key.first;
      const int id = key.second;
      owner->WMHotKey(id);
      return;
    }
  }
}

}  // namespace velmo
