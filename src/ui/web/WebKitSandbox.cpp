#include "ui/web/WebKitSandbox.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace velmo {

namespace {

// Where Debian's WebKitGTK runs them from: the library has the paths built
// in and looks for neither on PATH.
constexpr const char* kBubblewrap = "/usr/bin/bwrap";
constexpr const char* kBusProxy = "/usr/bin/xdg-dbus-proxy";

// Why bubblewrap cannot run a program in namespaces of the kinds WebKit asks
// for, or "" when it can.
std::string BubblewrapProblem() {
  const char* argv[] = {kBubblewrap, "--die-with-parent", "--unshare-pid", "--unshare-uts",
                        "--unshare-net", "--unshare-ipc", "--ro-bind", "/", "/", "--proc",
                        "/proc", "--dev", "/dev", "true", nullptr};
  gchar* errors = nullptr;
  gint status = 0;
  GError* error = nullptr;
  std::string problem;
  if (!g_spawn_sync(nullptr, const_cast<gchar**>(argv), nullptr, G_SPAWN_STDOUT_TO_DEV_NULL,
                    nullptr, nullptr, nullptr, &errors, &status, &error)) {
    problem = error->message;
  } else if (!g_spawn_check_wait_status(status, &error)) {
    problem = std::string(kBubblewrap) + ": " + (*g_strstrip(errors) ? errors : error->message);
  }
  g_clear_error(&error);
  g_free(errors);
  return problem;
}

std::string SandboxProblem() {
  if (access(kBusProxy, X_OK) != 0) return std::string(kBusProxy) + " is missing";
  return BubblewrapProblem();
}

}  // namespace

bool ConfineWebContent(WebKitWebContext* context) {
  const std::string problem = SandboxProblem();
  if (!problem.empty()) {
    std::fprintf(stderr,
                 "The web engine's sandbox cannot start (%s): pages run unconfined, with "
                 "every right of the user.\n",
                 problem.c_str());
    return false;
  }
  webkit_web_context_set_sandbox_enabled(context, TRUE);
  return true;
}

}  // namespace velmo
