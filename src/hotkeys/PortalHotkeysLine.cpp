#include "hotkeys/PortalHotkeysLine.h"

#include <algorithm>
#include <tuple>

#include "hotkeys/HotkeyText.h"

namespace velmo {

namespace {

int Rank(int id) { return id == ClickHotkeyId ? 0 : id == StopHotkeyId ? 1 : 2; }

}  // namespace

std::string PortalHotkeysLine(const std::vector<HotkeyOutcome>& outcomes,
                              const std::function<std::string(int id)>& scriptName) {
  std::vector<HotkeyOutcome> bound;
  std::copy_if(outcomes.begin(), outcomes.end(), std::back_inserter(bound),
               [](const HotkeyOutcome& outcome) { return outcome.bound; });
  std::sort(bound.begin(), bound.end(), [](const HotkeyOutcome& a, const HotkeyOutcome& b) {
    return std::make_tuple(Rank(a.id), a.id) < std::make_tuple(Rank(b.id), b.id);
  });
  if (bound.empty()) return "热键经桌面门户: 桌面没有绑定任何热键";
  std::string line = "热键经桌面门户: ";
  const char* separator = "";
  for (const HotkeyOutcome& outcome : bound) {
    const std::string what = outcome.id == ClickHotkeyId  ? "启动/停止"
                             : outcome.id == StopHotkeyId ? "停止脚本"
                                                          : "脚本" + scriptName(outcome.id);
    line += separator + what + " " + (outcome.trigger.empty() ? "未分配按键" : outcome.trigger);
    separator = ", ";
  }
  return line;
}

}  // namespace velmo
