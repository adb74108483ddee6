// What every desktop's tray icon host does alike through wx: restores and
// raises the owner window, reads the cursor, passes the owner's minimise and
// restore to the rules, and reports an error that escapes a gesture instead
// of letting it cross the desktop's own frames. A desktop's host adds the
// icon, the taskbar entry and the menu, and calls rules().addIcon() once it is
// constructed.
#pragma once

#include <wx/toplevel.h>

#include <exception>
#include <functional>

#include "platform/TrayIcon.h"

namespace velmo {

class WxTrayHost : public TrayIcon, protected TrayHost {
 public:
  TrayIconRules& rules() override { return rules_; }

 protected:
  WxTrayHost(wxTopLevelWindow& owner, std::function<void(const std::exception&)> reportError);
  ~WxTrayHost() override;
  WxTrayHost(const WxTrayHost&) = delete;
  WxTrayHost& operator=(const WxTrayHost&) = delete;

  // One gesture on the icon, as the desktop reports it.
  void onGesture(TrayClick gesture);

  void restoreApplication() override;
  void bringToFront() override;
  CursorPoint cursorPos() override;

  wxTopLevelWindow& owner_;

 private:
  void onIconize(wxIconizeEvent& event);

  std::function<void(const std::exception&)> reportError_;
  TrayIconRules rules_{*this};
};

}  // namespace velmo
