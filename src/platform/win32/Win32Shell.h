// Web addresses opened by the system: ShellExecuteW "open", which hands them
// to the user's browser (under wine, winebrowser and so the host's xdg-open).
#pragma once

#include "platform/Platform.h"

namespace velmo::win32 {

class Win32Shell : public Shell {
 public:
  // The address is UTF-8 and reaches the system as UTF-16. A refusal is
  // written to stderr, not thrown (see Shell).
  void open(const std::string& address) override;
};

}  // namespace velmo::win32
