// Opens web addresses in the user's browser: xdg-open started directly with an
// argument vector, never through a shell command line.
#pragma once

#include "platform/Platform.h"

namespace velmo {

class WxShell : public Shell {
 public:
  void open(const std::string& address) override;
};

}  // namespace velmo
