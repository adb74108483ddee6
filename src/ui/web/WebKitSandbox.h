// The sandbox WebKitGTK runs its web-content process in: bubblewrap, with
// xdg-dbus-proxy between the process and the session's buses.
#pragma once

#include <webkit2/webkit2.h>

namespace velmo {

// Turns the sandbox of `context` on where it can start; call it before the
// context starts its first process, as WebKit cannot change it afterwards.
// WebKit ends the whole program when it cannot start a sandboxed process, so
// the sandbox is tried first: where bubblewrap cannot make the namespaces
// WebKit asks for (no user namespaces, no bubblewrap) or the bus proxy is
// missing, it stays off and stderr says why. Returns whether it is on.
bool ConfineWebContent(WebKitWebContext* context);

}  // namespace velmo
