#include "platform/SessionNotice.h"

namespace velmo {

namespace {

std::string BindCommands(const std::string& clickerHotkey, const std::string& stopHotkey) {
  return "请在桌面的键盘设置中绑定这些快捷键: " + clickerHotkey +
         " → velmo --toggle (启动/停止点击), " + stopHotkey +
         " → velmo --stop (停止脚本), 每个脚本的热键 → velmo --run 脚本名称。";
}

std::string PortalHotkeys(const std::string& clickerHotkey, const std::string& stopHotkey) {
  return "它的热键 (" + clickerHotkey + " 启动/停止点击, " + stopHotkey +
         " 停止脚本, 以及每个已启用脚本的热键) 经桌面门户绑定为全局快捷键: 桌面可能询问是否"
         "允许, 也可以改用别的按键, 状态栏显示桌面给出的按键; 桌面拒绝的热键会像与其他程序"
         "冲突一样提示。";
}

// The hotkeys' part of the status line.
std::string HotkeyClause(const SessionFacts& facts) {
  return HotkeysThroughPortal(facts) ? "热键经桌面门户" : "热键需在桌面设置中绑定命令";
}

}  // namespace

SessionKind KindOfSession(const SessionFacts& facts) {
  if (!facts.wayland) return SessionKind::Complete;
  if (!facts.virtualPointer)
    return facts.portalPointer ? SessionKind::Portal : SessionKind::OtherWayland;
  return facts.sway ? SessionKind::Sway : SessionKind::Wlroots;
}

bool HotkeysThroughPortal(const SessionFacts& facts) {
  return facts.wayland && !facts.sway && facts.portalShortcuts;
}

int MostPressesPerTick(const SessionFacts& facts) {
  return facts.wayland && (facts.virtualPointer || facts.portalPointer) ? 5 : 0;
}

std::string SessionNoticeLine(const SessionFacts& facts) {
  switch (KindOfSession(facts)) {
    case SessionKind::Complete: return {};
    case SessionKind::Sway: return "Wayland (sway): 点击与热键可用, 取点请用拾取";
    case SessionKind::Wlroots: return "Wayland: 点击可用, " + HotkeyClause(facts);
    case SessionKind::Portal:
      return "Wayland: 点击经桌面门户, 首次点击时需要同意; " + HotkeyClause(facts);
    case SessionKind::OtherWayland: return "Wayland: 只能点击X11程序, " + HotkeyClause(facts);
  }
  return {};
}

std::string SessionNoticeText(const SessionFacts& facts, const std::string& clickerHotkey,
                              const std::string& stopHotkey) {
  const bool portal = HotkeysThroughPortal(facts);
  switch (KindOfSession(facts)) {
    case SessionKind::Complete: return {};
    case SessionKind::Sway:
      return "这是sway的Wayland会话。Velmo通过虚拟指针点击所有程序的窗口, 它的热键"
             "作为sway的快捷键绑定, 退出时解除。F11在这里读不到光标位置: "
             "坐标点请在点的对话框中用\"拾取\"在屏幕上点选。";
    case SessionKind::Wlroots:
      return std::string("这是Wayland会话。Velmo通过虚拟指针点击所有程序的窗口") +
             (portal ? "。" + PortalHotkeys(clickerHotkey, stopHotkey)
                     : ", 但它的热键只在X11程序的窗口有焦点时有效。" +
                           BindCommands(clickerHotkey, stopHotkey)) +
             " F11在这里读不到光标位置: 坐标点请在点的对话框中用\"拾取\"。";
    case SessionKind::Portal:
      return std::string("这是Wayland会话, 它的合成器不提供虚拟指针: Velmo通过桌面门户的远程"
                         "控制点击所有程序的窗口。第一次开始点击时桌面会询问是否允许, 拒绝或"
                         "之后结束共享会停止点击。") +
             (portal ? PortalHotkeys(clickerHotkey, stopHotkey)
                     : "它的热键只在X11程序的窗口有焦点时有效。" +
                           BindCommands(clickerHotkey, stopHotkey)) +
             " F11在这里读不到光标位置。";
    case SessionKind::OtherWayland:
      return portal ? "这是Wayland会话, 它的合成器不提供虚拟指针: Velmo的点击只能到达X11程序"
                      "的窗口。" + PortalHotkeys(clickerHotkey, stopHotkey)
                    : "这是Wayland会话, 它的合成器不提供虚拟指针: Velmo的点击和热键只能"
                      "到达X11程序的窗口。" + BindCommands(clickerHotkey, stopHotkey);
  }
  return {};
}

std::string SessionNoticeName(const SessionFacts& facts) {
  const std::string shortcuts = HotkeysThroughPortal(facts) ? "+shortcuts" : "";
  switch (KindOfSession(facts)) {
    case SessionKind::Complete: return "complete";
    case SessionKind::Sway: return "sway";
    case SessionKind::Wlroots: return "wlroots" + shortcuts;
    case SessionKind::Portal: return "portal" + shortcuts;
    case SessionKind::OtherWayland: return "wayland" + shortcuts;
  }
  return {};
}

}  // namespace velmo
