// MessageBoxA on wx dialogs, with Chinese button labels whatever the locale.
#pragma once

#include "platform/Platform.h"

namespace velmo {

class WxMessageBoxes : public MessageBoxes {
 public:
  int MessageBoxA(WindowRef owner, const std::string& text, const std::string& caption,
                  unsigned flags) override;
};

// A lone carriage return breaks the line in a Windows message box; GTK needs
// a line feed for that.
std::string LineBreaksForDisplay(const std::string& text);

}  // namespace velmo
