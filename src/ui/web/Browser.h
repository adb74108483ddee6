// Embedded browsers of the platform's default engine (WebKitGTK here), and
// the page values the update check reads from one of them.
#pragma once

#include <wx/webview.h>

#include <optional>
#include <string>

#include "web/UpdateCheck.h"

namespace velmo {

// Whether the platform has a browser engine for the web windows.
bool BrowserAvailable();

// A new browser on `parent`. Throws AppError when the platform has no
// browser engine.
wxWebView* NewBrowser(wxWindow* parent, const wxPoint& pos, const wxSize& size);

// Every new browser first completes the empty document "about:blank" on its
// own: that is no page the program asked for.
bool IsStartDocument(const wxString& address);

// Whether `browser` shows the program's quiet page because its page could not
// be loaded. The quiet page is no document of the site: it completes nothing
// the program acts on and has no title.
bool ShowsQuietPage(const wxWebView& browser);

// Whether an event of `browser` concerns a page of the site, neither the start
// document nor the quiet page.
bool IsSitePage(const wxWebView& browser, const wxWebViewEvent& event);

// Reads a global of the page now loaded in `browser` by running a script in
// its top document. A name the page does not define (or defines as
// undefined) gives nullopt; a script the page cannot run raises AppError.
class BrowserPageValues : public PageValues {
 public:
  explicit BrowserPageValues(wxWebView& browser) : browser_(browser) {}
  std::optional<std::string> read(const std::string& name) override;

 private:
  wxWebView& browser_;
};

}  // namespace velmo
