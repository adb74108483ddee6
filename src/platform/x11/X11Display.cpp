#include "platform/x11/X11Display.h"

#include <cstdlib>

#include "common/Texts.h"

namespace velmo::x11 {

void DisplayCloser::operator()(Display* display) const {
  // XCloseDisplay reports nothing useful: the connection is gone either way.
  XCloseDisplay(display);
}

std::string MissingDisplayText() {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland != nullptr && *wayland != '\0') {
    return UserText(
        "Velmo需要X11显示服务器才能运行: 没有设置DISPLAY。这是没有Xwayland的Wayland会话, "
        "Wayland不允许程序注册全局热键或模拟鼠标点击。请在X11会话中, 或在运行Xwayland的"
        "Wayland会话中启动Velmo。",
        "Velmo needs an X11 display, but DISPLAY is not set. This is a Wayland session without "
        "Xwayland: Wayland does not let a program grab global hotkeys or synthesise mouse "
        "clicks. Start Velmo in an X11 session, or in a Wayland session that runs Xwayland.");
  }
  return UserText("Velmo需要X11显示服务器才能运行: 没有设置DISPLAY。请在X11桌面会话中启动Velmo。",
                  "Velmo needs an X11 display, but DISPLAY is not set. Start Velmo from an X11 "
                  "desktop session.");
}

DisplayPtr OpenDisplay(std::string& error) {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') {
    error = MissingDisplayText();
    return nullptr;
  }
  DisplayPtr display(XOpenDisplay(name));
  if (!display) {
    const std::string quoted = "\"" + std::string(name) + "\"";
    error = UserText("Velmo无法连接X11显示服务器" + quoted + ": X服务器没有运行, 或者拒绝了连接。",
                     "Velmo cannot open the X11 display " + quoted +
                         " (XOpenDisplay failed): the X server is not running or refuses the "
                         "connection.");
  }
  return display;
}

}  // namespace velmo::x11
