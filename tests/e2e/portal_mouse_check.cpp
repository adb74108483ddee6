// Drives the portal's mouse from a test script, one command per line on
// stdin, one answer per line on stdout ("error TEXT" when it throws), with
// the GLib main loop running between commands as in the program.
//
//   move X Y           ok            (desktop coordinates)
//   pos                pos X Y
//   click BUTTON       ok            (left|right|middle, down and up)
//   down               ok            (left down only)

#include <iostream>
#include <sstream>
#include <string>

#include "CommandLoop.h"
#include "common/Errors.h"
#include "platform/portal/PortalMouse.h"

using namespace velmo;

namespace {

std::string Run(Mouse& mouse, const std::string& line) {
  std::istringstream in(line);
  std::string command, word;
  in >> command;
  int x = 0, y = 0;
  if (command == "move" && in >> x >> y) return mouse.SetCursorPos(x, y), "ok";
  if (command == "pos") {
    const CursorPoint p = mouse.GetCursorPos();
    return "pos " + std::to_string(p.x) + " " + std::to_string(p.y);
  }
  if (command == "down") return mouse.mouseEvent(kMouseLeftDown), "ok";
  if (command == "click" && in >> word) {
    if (word == "left") return mouse.mouseEvent(kMouseLeftDown | kMouseLeftUp), "ok";
    if (word == "right") return mouse.mouseEvent(kMouseRightDown | kMouseRightUp), "ok";
    if (word == "middle") return mouse.mouseEvent(kMouseMiddleDown | kMouseMiddleUp), "ok";
  }
  return "error unknown command '" + line + "'";
}

}  // namespace

// The restore token's file is the first argument.
int main(int argc, char** argv) {
  std::string error;
  auto mouse = portal::OpenPortalMouse(argc > 1 ? argv[1] : "portal-token", error);
  if (!mouse) {
    std::cout << "error " << error << std::endl;
    return 1;
  }
  RunCommandLoop([&mouse](const std::string& line) { return Run(*mouse, line); });
  return 0;
}
