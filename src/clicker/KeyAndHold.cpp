#include "clicker/KeyAndHold.h"

#include "clicker/IntervalJitter.h"
#include "common/Errors.h"
#include "hotkeys/HotkeyText.h"
#include "platform/Platform.h"

namespace velmo {

namespace {

constexpr unsigned kVkReturn = 0x0D;
constexpr unsigned kVkSpace = 0x20;
constexpr unsigned kVkF1 = 0x70;

}  // namespace

std::vector<std::string> ClickKeyNames() {
  std::vector<std::string> names = {"Space", "Enter"};
  for (char c = 'A'; c <= 'Z'; ++c) names.emplace_back(1, c);
  for (char c = '0'; c <= '9'; ++c) names.emplace_back(1, c);
  for (const char* key : kFunctionKeys) names.emplace_back(key);
  return names;
}

std::optional<unsigned> KeyNameToVk(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (name == "Space") return kVkSpace;
  if (name == "Enter") return kVkReturn;
  if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
    return static_cast<unsigned>(name[0]);
  unsigned f = 0;
  for (const char* key : kFunctionKeys) {
    if (name == key) return kVkF1 + f;
    ++f;
  }
  throw ConvertError(Quoted(name) + " is not a key name (Space, Enter, A-Z, 0-9, F1-F12)");
}

int HoldTextToMs(const std::string& text) {
  const int ms = StrToInt(text);
  if (ms < 0 || ms > kMaxHoldMs)
    throw ConvertError(Quoted(text) + " is not a time from 0 to " + std::to_string(kMaxHoldMs) +
                       " milliseconds");
  return ms;
}

bool HoldFitsInterval(int holdMs, bool doubleClick, int intervalMs, int jitterPercent) {
  if (holdMs == 0) return true;
  const long long held = (doubleClick ? 2LL : 1LL) * EffectiveTimerPeriod(holdMs);
  return held < ShortestPeriod(intervalMs, jitterPercent);
}

bool IsKeyOfHotkeys(unsigned vk, const std::vector<std::string>& hotkeyTexts) {
  for (const std::string& text : hotkeyTexts) {
    try {
      if (static_cast<unsigned>(KeyTextToVk(SplitHotkeyText(text).key)) == vk) return true;
    } catch (const ConvertError&) {
      // Registers no key, so cannot be pressed by mistake.
    }
  }
  return false;
}

}  // namespace velmo
