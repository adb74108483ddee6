#include "platform/wx/WxTrayHost.h"

#include <wx/utils.h>

namespace velmo {

WxTrayHost::WxTrayHost(wxTopLevelWindow& owner,
                       std::function<void(const std::exception&)> reportError)
    : owner_(owner), reportError_(std::move(reportError)) {
  owner_.Bind(wxEVT_ICONIZE, &WxTrayHost::onIconize, this);
}

WxTrayHost::~WxTrayHost() { owner_.Unbind(wxEVT_ICONIZE, &WxTrayHost::onIconize, this); }

void WxTrayHost::onGesture(TrayClick gesture) {
  try {
    rules_.onGesture(gesture);
  } catch (const std::exception& error) {
    reportError_(error);
  }
}

void WxTrayHost::onIconize(wxIconizeEvent& event) {
  event.Skip();
  if (event.IsIconized())
    rules_.onApplicationMinimize();
  else
    rules_.onApplicationRestore();
}

void WxTrayHost::restoreApplication() { owner_.Iconize(false); }

void WxTrayHost::bringToFront() {
  // Raising a minimised window would also restore it; the menu must not.
  if (!owner_.IsIconized()) owner_.Raise();
}

CursorPoint WxTrayHost::cursorPos() {
  const wxPoint at = wxGetMousePosition();
  return {at.x, at.y};
}

}  // namespace velmo
