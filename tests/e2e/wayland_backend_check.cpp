// Drives the Wayland backend from a test script, one command per line on
// stdin, one answer per line on stdout, while the GLib main loop runs as in
// the program. The script plays the compositor's other clients around it.
//
//   move X Y           ok
//   pos                pos X Y
//   bounds             bounds X Y W H   (the layout as the backend knows it)
//   click BUTTON [N]   ok   (N clicks of left|right|middle, then one flush)
//   walk N X Y DX      ok   (N left clicks, the k-th at X + k*DX, Y)
//   hop N X1 X2 Y      ok   (N left clicks, by turns at X1, Y and X2, Y)
//   ticks N K MS       ok   (N bursts of K left clicks, one every MS ms)
//   pick               picking, once the overlay shows; later a line of its
//                      own: picked X Y | cancel
#include <glib-unix.h>
#include <glib.h>

#include <iostream>
#include <sstream>
#include <string>

#include "CommandLoop.h"
#include "common/Errors.h"
#include "platform/wayland/WaylandInput.h"

using namespace velmo;
using namespace velmo::wayland;

namespace {

unsigned ButtonFlags(const std::string& name) {
  if (name == "left") return kMouseLeftDown | kMouseLeftUp;
  if (name == "right") return kMouseRightDown | kMouseRightUp;
  if (name == "middle") return kMouseMiddleDown | kMouseMiddleUp;
  return 0;
}

class Driver {
 public:
  explicit Driver(WaylandInput& input) : input_(input) {}
  std::string run(const std::string& line);

 private:
  std::string click(unsigned flags, int count);
  std::string pick();
  WaylandInput& input_;
};

std::string Driver::click(unsigned flags, int count) {
  for (int i = 0; i < count; ++i) input_.mouse->mouseEvent(flags);
  input_.mouse->flush();
  return "ok";
}

// Answers once the overlay is up; the pick's answer comes as a line of its
// own when the user has clicked.
std::string Driver::pick() {
  if (!input_.picker) return "error: no layer shell";
  input_.picker->pick([](std::optional<CursorPoint> point) {
    std::cout << (point ? "picked " + std::to_string(point->x) + " " + std::to_string(point->y)
                        : std::string("cancel"))
              << std::endl;
  });
  bool expired = false;
  const guint timer = g_timeout_add(
      5000,
      [](gpointer flag) -> gboolean {
        *static_cast<bool*>(flag) = true;
        return G_SOURCE_REMOVE;
      },
      &expired);
  while (!input_.picker->shown() && !expired) g_main_context_iteration(nullptr, TRUE);
  if (!expired) g_source_remove(timer);
  return expired ? "error: the overlay did not show" : "picking";
}

std::string Driver::run(const std::string& line) {
  std::istringstream in(line);
  std::string command, word;
  in >> command;
  int x = 0, y = 0, n = 1, dx = 0;
  Mouse& mouse = *input_.mouse;
  if (command == "move" && in >> x >> y) return mouse.SetCursorPos(x, y), mouse.flush(), "ok";
  if (command == "pos") {
    const CursorPoint p = mouse.GetCursorPos();
    return "pos " + std::to_string(p.x) + " " + std::to_string(p.y);
  }
  if (command == "click" && in >> word && ButtonFlags(word) != 0) {
    in >> n;
    return click(ButtonFlags(word), n);
  }
  if (command == "walk" && in >> n >> x >> y >> dx) {
    for (int k = 0; k < n; ++k) {
      mouse.SetCursorPos(x + k * dx, y);
      mouse.mouseEvent(kMouseLeftDown | kMouseLeftUp);
    }
    return mouse.flush(), "ok";
  }
  int x2 = 0;
  if (command == "hop" && in >> n >> x >> x2 >> y) {
    for (int k = 0; k < n; ++k) {
      mouse.SetCursorPos(k % 2 == 0 ? x : x2, y);
      mouse.mouseEvent(kMouseLeftDown | kMouseLeftUp);
    }
    return mouse.flush(), "ok";
  }
  if (command == "ticks" && in >> n >> x >> y) {
    for (int k = 0; k < n; ++k, g_usleep(y * 1000)) click(kMouseLeftDown | kMouseLeftUp, x);
    return "ok";
  }
  if (command == "bounds") {
    const DesktopBox b = input_.connection->layoutBounds();
    return "bounds " + std::to_string(b.x) + " " + std::to_string(b.y) + " " +
           std::to_string(b.width) + " " + std::to_string(b.height);
  }
  if (command == "pick") return pick();
  return "error: unknown command '" + line + "'";
}

}  // namespace

int main() {
  std::string error;
  auto input = OpenWaylandInput(error);
  if (!input) {
    std::cout << "error " << error << std::endl;
    return 1;
  }
  Driver driver(*input);
  RunCommandLoop([&driver](const std::string& line) { return driver.run(line); });
  return 0;
}
