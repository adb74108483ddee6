#include "ui/web/Browser.h"

#include <wx/log.h>

#include "common/Errors.h"
#include "ui/web/EngineViews.h"
#include "widgets/WxText.h"

namespace velmo {

bool BrowserAvailable() { return wxWebView::IsBackendAvailable(wxWebViewBackendDefault); }

namespace {

// WebKitGTK 2.50 as Debian builds it aborts the whole program when a page
// calls window.open(): the engine fails an internal check before the program
// hears of the new window. Pages get window.open replaced by a click on a
// link that asks for a new window, which the program handles as any other.
// Other engines need no guard (and IE's cannot take scripts of this kind).
constexpr const char* kWindowOpenAsLink =
    "window.open = function (address) {"
    "  var link = document.createElement('a');"
    "  link.href = address;"
    "  link.target = '_blank';"
    "  link.click();"
    "  return null;"
    "};";

}  // namespace

wxWebView* NewBrowser(wxWindow* parent, const wxPoint& pos, const wxSize& size) {
  wxWebView* browser = NewEngineView(parent, pos, size);
  if (!browser)
    throw AppError("No embedded browser engine (" + std::string(wxWebViewBackendDefault) +
                   ") is available");
  const bool webKit = wxString(wxWebViewBackendDefault) == wxWebViewBackendWebKit;
  if (webKit && !browser->AddUserScript(kWindowOpenAsLink, wxWEBVIEW_INJECT_AT_DOCUMENT_START))
    throw AppError("The embedded browser refused the script that guards window.open");
  return browser;
}

bool IsStartDocument(const wxString& address) { return address == wxWebViewDefaultURLStr; }

bool IsSitePage(const wxWebView& browser, const wxWebViewEvent& event) {
  return !IsStartDocument(event.GetURL()) && !ShowsQuietPage(browser);
}

std::optional<std::string> BrowserPageValues::read(const std::string& name) {
  // typeof tells a missing name from one whose value is the empty text; the
  // leading mark keeps the two apart in the one text the script returns.
  // `name` is one of the update check's own identifiers, never page input.
  const wxString script =
      FromUtf8("typeof " + name + " === 'undefined' ? 'u' : 'd' + String(" + name + ")");
  wxString result;
  bool ran;
  {
    // A failed script is the caller's business: wx would log it and show
    // the log to the user at the next idle time.
    wxLogNull quiet;
    ran = browser_.RunScript(script, &result);
  }
  if (!ran || result.empty()) throw AppError("The page did not run the script reading " + name);
  if (result == "u") return std::nullopt;
  return ToUtf8(result.Mid(1));
}

}  // namespace velmo
