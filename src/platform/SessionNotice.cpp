#include "platform/SessionNotice.h"

namespace velmo {

namespace {

std::string BindCommands(const std::string& clickerHotkey, const std::string& stopHotkey) {
  return "请在桌面的键盘设置中绑定这些快捷键: " + clickerHotkey +
         " → velmo --toggle (启动/停止点击), " + stopHotkey +
         " → velmo --stop (停止脚本), 每个脚本的热键 → velmo --run 脚本名称。";
}

}  // namespace

SessionKind KindOfSession(const SessionFacts& facts) {
  if (!facts.wayland) return SessionKind::Complete;
  if (!facts.virtualPointer)
    return facts.portalPointer ? SessionKind::Portal : SessionKind::OtherWayland;
  return facts.sway ? SessionKind::Sway : SessionKind::Wlroots;
}

std::string SessionNoticeLine(SessionKind kind) {
  switch (kind) {
    case SessionKind::Complete: return {};
    case SessionKind::Sway: return "Wayland (sway): 点击与热键可用, 取点请用拾取";
    case SessionKind::Wlroots: return "Wayland: 点击可用, 热键需在桌面设置中绑定命令";
    case SessionKind::Portal: return "Wayland: 点击经桌面门户, 首次点击时需要同意; 热键需在桌面设置中绑定命令";
    case SessionKind::OtherWayland: return "Wayland: 只能点击X11程序, 热键需在桌面设置中绑定命令";
  }
  return {};
}

std::string SessionNoticeText(SessionKind kind, const std::string& clickerHotkey,
                              const std::string& stopHotkey) {
  switch (kind) {
    case SessionKind::Complete: return {};
    case SessionKind::Sway:
      return "这是sway的Wayland会话。Velmo通过虚拟指针点击所有程序的窗口, 它的热键"
             "作为sway的快捷键绑定, 退出时解除。F11在这里读不到光标位置: "
             "坐标点请在点的对话框中用\"拾取\"在屏幕上点选。";
    case SessionKind::Wlroots:
      return std::string("这是Wayland会话。Velmo通过虚拟指针点击所有程序的窗口, 但它的热键"
                         "只在X11程序的窗口有焦点时有效。") +
             BindCommands(clickerHotkey, stopHotkey) + " F11在这里读不到光标位置: 坐标点请在点的对话框中用\"拾取\"。";
    case SessionKind::Portal:
      return std::string("这是Wayland会话, 它的合成器不提供虚拟指针: Velmo通过桌面门户的远程"
                         "控制点击所有程序的窗口。第一次开始点击时桌面会询问是否允许, 拒绝或"
                         "之后结束共享会停止点击。它的热键只在X11程序的窗口有焦点时有效。") +
             BindCommands(clickerHotkey, stopHotkey) + " F11在这里读不到光标位置。";
    case SessionKind::OtherWayland:
      return std::string("这是Wayland会话, 它的合成器不提供虚拟指针: Velmo的点击和热键只能"
                         "到达X11程序的窗口。") +
             BindCommands(clickerHotkey, stopHotkey);
  }
  return {};
}

std::string SessionKindName(SessionKind kind) {
  switch (kind) {
    case SessionKind::Complete: return "complete";
    case SessionKind::Sway: return "sway";
    case SessionKind::Wlroots: return "wlroots";
    case SessionKind::Portal: return "portal";
    case SessionKind::OtherWayland: return "wayland";
  }
  return {};
}

}  // namespace velmo
