// Drives the portal's mouse from a test script, one command per line on
// stdin, one answer per line on stdout ("error TEXT" when it throws), with
// the GLib main loop running between commands as in the program.
//
//   move X Y           ok            (desktop coordinates)
//   pos                pos X Y
//   click BUTTON       ok            (left|right|middle, down and up)
//   down               ok            (left down only)
#include <glib-unix.h>
#include <unistd.h>

#include <iostream>
#include <sstream>
#include <string>

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

struct Session {
  Mouse& mouse;
  GMainLoop* loop;
  std::string pending;
};

gboolean ReadCommands(gint fd, GIOCondition, gpointer data) {
  auto* session = static_cast<Session*>(data);
  char chunk[4096];
  const ssize_t got = read(fd, chunk, sizeof chunk);
  if (got <= 0) return g_main_loop_quit(session->loop), G_SOURCE_REMOVE;
  session->pending.append(chunk, got);
  for (size_t end; (end = session->pending.find('\n')) != std::string::npos;) {
    const std::string line = session->pending.substr(0, end);
    session->pending.erase(0, end + 1);
    std::string answer;
    try {
      answer = Run(session->mouse, line);
    } catch (const AppError& e) {
      answer = std::string("error ") + e.what();
    }
    // One line per answer: the message's own line break becomes a space.
    for (char& c : answer)
      if (c == '\n') c = ' ';
    std::cout << answer << std::endl;
  }
  return G_SOURCE_CONTINUE;
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
  Session session{*mouse, g_main_loop_new(nullptr, FALSE), {}};
  g_unix_fd_add(0, G_IO_IN, ReadCommands, &session);
  std::cout << "ready" << std::endl;
  g_main_loop_run(session.loop);
  g_main_loop_unref(session.loop);
  return 0;
}
