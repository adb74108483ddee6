// The loop of the backend check programs: one command per line on stdin, one
// answer per line on stdout, while the GLib main loop runs the backend's own
// events. "quit" or the end of stdin ends it; an AppError answers
// "error <its text>", its line breaks turned into spaces.
#pragma once

#include <glib-unix.h>
#include <glib.h>
#include <unistd.h>

#include <functional>
#include <iostream>
#include <string>

#include "common/Errors.h"

namespace velmo {

inline void RunCommandLoop(std::function<std::string(const std::string&)> run) {
  struct Loop {
    std::function<std::string(const std::string&)> run;
    GMainLoop* main;
    std::string pending;
  } loop{std::move(run), g_main_loop_new(nullptr, FALSE), {}};
  const auto read_commands = [](gint fd, GIOCondition, gpointer data) -> gboolean {
    auto* self = static_cast<Loop*>(data);
    char chunk[4096];
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got <= 0) return g_main_loop_quit(self->main), G_SOURCE_REMOVE;
    self->pending.append(chunk, static_cast<size_t>(got));
    for (size_t end; (end = self->pending.find('\n')) != std::string::npos;) {
      const std::string line = self->pending.substr(0, end);
      self->pending.erase(0, end + 1);
      if (line == "quit") return g_main_loop_quit(self->main), G_SOURCE_REMOVE;
      std::string answer;
      try {
        answer = self->run(line);
      } catch (const AppError& e) {
        answer = std::string("error ") + e.what();
      }
      for (char& c : answer)
        if (c == '\n') c = ' ';
      std::cout << answer << std::endl;
    }
    return G_SOURCE_CONTINUE;
  };
  g_unix_fd_add(0, G_IO_IN, read_commands, &loop);
  std::cout << "ready" << std::endl;
  g_main_loop_run(loop.main);
  g_main_loop_unref(loop.main);
}

}  // namespace velmo
