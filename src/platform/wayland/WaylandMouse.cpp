#include "platform/wayland/WaylandMouse.h"

#include <linux/input-event-codes.h>

#include <chrono>
#include <string>

#include "common/Errors.h"
#include "common/Texts.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace velmo::wayland {

namespace {

struct ButtonStep {
  unsigned flag;
  uint32_t button;
  wl_pointer_button_state state;
};
constexpr ButtonStep kSteps[] = {
    {kMouseLeftDown, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED},
    {kMouseLeftUp, BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED},
    {kMouseRightDown, BTN_RIGHT, WL_POINTER_BUTTON_STATE_PRESSED},
    {kMouseRightUp, BTN_RIGHT, WL_POINTER_BUTTON_STATE_RELEASED},
    {kMouseMiddleDown, BTN_MIDDLE, WL_POINTER_BUTTON_STATE_PRESSED},
    {kMouseMiddleUp, BTN_MIDDLE, WL_POINTER_BUTTON_STATE_RELEASED},
};

// Button events (with their frames) that fit the client library's buffer of
// 4 KiB together with a motion.
constexpr int kButtonsPerWrite = 100;

}  // namespace

WaylandMouse::WaylandMouse(WaylandConnection& connection)
    : connection_(connection),
      pointer_(zwlr_virtual_pointer_manager_v1_create_virtual_pointer(connection.pointerManager(),
                                                                      connection.seat())) {
  // sway 1.7 loses the clicks of a new device on a seat that had no pointer
  // until the device has sent some button event: let that be a release of a
  // button nobody holds (sway logs once that its count of pressed buttons
  // was wrong).
  zwlr_virtual_pointer_v1_button(pointer_, now(), BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
  zwlr_virtual_pointer_v1_frame(pointer_);
  connection_.roundtrip();
}

WaylandMouse::~WaylandMouse() {
  zwlr_virtual_pointer_v1_destroy(pointer_);
  // A compositor drops what waits unread from a client that hangs up: wait
  // until it has handled the last clicks. A lost connection has lost them
  // anyway.
  wl_display_roundtrip(connection_.display());
}

uint32_t WaylandMouse::now() const {
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void WaylandMouse::mouseEvent(unsigned flags) {
  for (const auto& step : kSteps) {
    if ((flags & step.flag) == 0) continue;
    zwlr_virtual_pointer_v1_button(pointer_, now(), step.button, step.state);
    zwlr_virtual_pointer_v1_frame(pointer_);
    motionAlone_ = false;
    // libwayland gives up the connection when its buffer fills while the
    // compositor is behind: a long burst leaves in parts, each waited for.
    if (++unsent_ == kButtonsPerWrite) flush();
  }
}

void WaylandMouse::keybdEvent(unsigned vk, unsigned) {
  throw AppError(UserText(
      "在Wayland桌面上Velmo只能模拟鼠标点击, 不能模拟按键 (虚拟键码" + std::to_string(vk) + ")。",
      "On a Wayland desktop Velmo synthesises mouse clicks only, no "
      "keys (virtual-key code " +
          std::to_string(vk) + ")."));
}

void WaylandMouse::SetCursorPos(int x, int y) {
  const DesktopBox bounds = connection_.layoutBounds();
  if (bounds.empty())
    throw AppError(UserText("Wayland合成器没有显示输出, 无法移动鼠标。",
                            "The Wayland compositor shows no output to move the pointer on."));
  const AbsoluteMotion motion = MotionTo(bounds, x, y);
  // The motion starts an empty buffer, so that the buttons written after it
  // go out with it in one write.
  connection_.flush();
  unsent_ = 0;
  zwlr_virtual_pointer_v1_motion_absolute(pointer_, now(), motion.x, motion.y, motion.xExtent,
                                          motion.yExtent);
  zwlr_virtual_pointer_v1_frame(pointer_);
  position_ = {bounds.x + static_cast<int>(motion.x), bounds.y + static_cast<int>(motion.y)};
  motionAlone_ = true;
}

void WaylandMouse::flush() {
  if (motionAlone_) return;
  connection_.flush();
  unsent_ = 0;
}

}  // namespace velmo::wayland
