#include "platform/wx/WxShell.h"

#include <wx/utils.h>

namespace velmo {

void WxShell::open(const std::string& address) {
  const wxString program = "xdg-open";
  const wxString target = wxString::FromUTF8(address);
  const wchar_t* argv[] = {program.wc_str(), target.wc_str(), nullptr};
  // A failed start is not reported: the user sees no browser and goes on.
  wxExecute(argv, wxEXEC_ASYNC | wxEXEC_HIDE_CONSOLE);
}

}  // namespace velmo
