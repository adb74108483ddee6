#include "hotkeys/HotkeyTable.h"

#include <algorithm>
#include <vector>

namespace velmo {

namespace {
constexpr unsigned kModifierMask = kModAlt | kModControl;
}

HotkeyTable::HotkeyTable(KeyGrabber& grabber) : grabber_(grabber) {
  grabber_.setPressHandler([this](unsigned m, unsigned vk) { onPress(m, vk); });
  grabber_.setOutcomeHandler([this](const std::vector<GrabOutcome>& o) { onOutcomes(o); });
}

HotkeyTable::~HotkeyTable() {
  grabber_.setPressHandler(nullptr);
  grabber_.setOutcomeHandler(nullptr);
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

void HotkeyTable::onOutcomes(const std::vector<GrabOutcome>& outcomes) {
  std::map<HotkeySink*, std::vector<HotkeyOutcome>> byOwner;
  for (const GrabOutcome& outcome : outcomes) {
    const Combo answered{outcome.modifiers & kModifierMask, outcome.vk};
    const auto held = std::find_if(byId_.begin(), byId_.end(),
                                   [&](const auto& entry) { return entry.second == answered; });
    if (held == byId_.end()) continue;  // released meanwhile
    byOwner[held->first.first].push_back({held->first.second, outcome.bound, outcome.trigger});
    if (!outcome.bound) byId_.erase(held);
  }
  // The windows may register again as they hear it: the table is settled first.
  for (const auto& [owner, answers] : byOwner) owner->hotkeysAnswered(answers);
}

}  // namespace velmo
