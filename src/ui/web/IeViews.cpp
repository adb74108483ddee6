#include <wx/log.h>
#include <wx/msw/registry.h>
#include <wx/msw/webview_ie.h>
#include <wx/webview.h>
#include <exdisp.h>

#include <set>

#include "ui/web/Browser.h"
#include "ui/web/EngineViews.h"

namespace velmo {

namespace {

// The browsers showing the quiet page now.
std::set<const wxWebView*> quiet;

}  // namespace

wxWebView* NewEngineView(wxWindow* parent, const wxPoint& pos, const wxSize& size) {
  // Without this the engine lays pages out as Internet Explorer 7 did. The
  // level is kept per user for this program's file name, under a key that a
  // fresh profile does not have yet and wx sets only where it exists. Where
  // it cannot be made, pages still show, and wx's English complaint is not
  // for the user.
  [[maybe_unused]] static const bool modern = [] {
    wxLogNull silent;
    wxRegKey(wxRegKey::HKCU,
             "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
             "FEATURE_BROWSER_EMULATION")
        .Create();
    return wxWebViewIE::MSWSetEmulationLevel(wxWEBVIEWIE_EMU_IE11);
  }();
  wxWebView* view =
      wxWebView::New(parent, wxID_ANY, wxWebViewDefaultURLStr, pos, size, wxWebViewBackendDefault);
  if (!view) return nullptr;
  // No script-error or other boxes of the engine's own over the program.
  static_cast<IWebBrowser2*>(view->GetNativeBackend())->put_Silent(VARIANT_TRUE);
  view->Bind(wxEVT_WEBVIEW_ERROR, [view](wxWebViewEvent& event) {
    event.Skip();
    // A load given up for another one has no page of its own.
    if (event.GetInt() == wxWEBVIEW_NAV_ERR_USER_CANCELLED) return;
    quiet.insert(view);
    view->SetPage(kQuietPage, "");
  });
  // A navigation to a real address leaves the quiet page; writing the quiet
  // page itself navigates to about:blank first.
  view->Bind(wxEVT_WEBVIEW_NAVIGATING, [view](wxWebViewEvent& event) {
    event.Skip();
    if (!event.GetURL().StartsWith("about:")) quiet.erase(view);
  });
  view->Bind(wxEVT_DESTROY, [view](wxWindowDestroyEvent& event) {
    event.Skip();
    if (event.GetEventObject() == view) quiet.erase(view);
  });
  return view;
}

bool SandboxCouldNotStart() { return false; }

bool ShowsQuietPage(const wxWebView& browser) { return quiet.count(&browser) != 0; }

}  // namespace velmo
