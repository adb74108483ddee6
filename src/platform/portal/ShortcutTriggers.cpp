#include "platform/portal/ShortcutTriggers.h"

#include "platform/Platform.h"

namespace velmo::portal {

namespace {
constexpr unsigned kVkF1 = 0x70;
constexpr unsigned kFunctionKeys = 35;  // F1 to F35 have key names
}  // namespace

std::string ShortcutId(const Combination& combination) {
  return "hotkey-" + std::to_string(combination.first) + "-" + std::to_string(combination.second);
}

std::string PreferredTrigger(const Combination& combination) {
  const auto [modifiers, vk] = combination;
  if ((modifiers & ~(kModAlt | kModControl)) != 0 || vk < kVkF1 || vk >= kVkF1 + kFunctionKeys)
    return {};
  std::string trigger;
  if (modifiers & kModControl) trigger += "CTRL+";
  if (modifiers & kModAlt) trigger += "ALT+";
  return trigger + "F" + std::to_string(vk - kVkF1 + 1);
}

std::vector<GrabOutcome> OutcomesOf(const std::vector<Combination>& wanted,
                                    const std::map<std::string, std::string>& triggers) {
  std::vector<GrabOutcome> outcomes;
  for (const Combination& combination : wanted) {
    const auto bound = triggers.find(ShortcutId(combination));
    outcomes.push_back({combination.first, combination.second, bound != triggers.end(),
                        bound != triggers.end() ? bound->second : std::string()});
  }
  return outcomes;
}

}  // namespace velmo::portal
