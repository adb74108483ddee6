// MessageBoxA on wx dialogs, with Chinese button labels whatever the locale.
#pragma once

#include <memory>

#include "platform/Platform.h"

class wxDialog;
class wxWindow;

namespace velmo {

// The box MessageBoxA shows, not yet shown: the icon the flags name, the text,
// the buttons ("确定", or "是(&Y)" and "否(&N)"), the first one the default,
// and wide enough for the whole caption.
std::unique_ptr<wxDialog> NewMessageBox(wxWindow* owner, const std::string& text,
                                        const std::string& caption, unsigned flags);

class WxMessageBoxes : public MessageBoxes {
 public:
  int MessageBoxA(WindowRef owner, const std::string& text, const std::string& caption,
                  unsigned flags) override;
};

// A lone carriage return breaks the line in a Windows message box; GTK needs
// a line feed for that.
std::string LineBreaksForDisplay(const std::string& text);

}  // namespace velmo
