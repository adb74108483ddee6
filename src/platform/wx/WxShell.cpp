#include "platform/wx/WxShell.h"

#include <wx/utils.h>

#include "platform/Desktop.h"

namespace velmo {

void WxShell::open(const std::string& address) {
  const wxString program = "xdg-open";
  const wxString target = wxString::FromUTF8(address);
  const wchar_t* argv[] = {program.wc_str(), target.wc_str(), nullptr};
  // A failed start is not reported: the user sees no browser and goes on.
  wxExecute(argv, wxEXEC_ASYNC | wxEXEC_HIDE_CONSOLE);
}

std::unique_ptr<Shell> NewShell() { return std::make_unique<WxShell>(); }

}  // namespace velmo
