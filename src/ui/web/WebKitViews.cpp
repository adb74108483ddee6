#include "ui/web/EngineViews.h"

#include <webkit2/webkit2.h>

#include <cstring>

#include "ui/web/Browser.h"
#include "ui/web/WebKitSandbox.h"
#include "web/EngineEnvironment.h"

namespace velmo {

namespace {

// Set on a view while it shows the quiet page.
constexpr const char* kQuietPageKey = "velmo-quiet-page";

// The view that new views are made related to, while it lives. WebKit gives
// a related view the web-content process of the view it relates to, so all
// the program's browsers share one.
GObject* relatedTo = nullptr;
GObject* (*constructView)(GType, guint, GObjectConstructParam*) = nullptr;

// wx 3.2 makes every view with webkit_web_view_new(), which cannot name a
// related view; this constructor of the view class fills it in.
GObject* ConstructRelatedView(GType type, guint count, GObjectConstructParam* params) {
  for (guint i = 0; i < count; ++i) {
    if (relatedTo && std::strcmp(params[i].pspec->name, "related-view") == 0 &&
        !g_value_get_object(params[i].value)) {
      g_value_set_object(params[i].value, relatedTo);
    }
  }
  return constructView(type, count, params);
}

void RelateLaterViewsTo(WebKitWebView* view) {
  if (relatedTo) return;
  relatedTo = G_OBJECT(view);
  g_object_add_weak_pointer(relatedTo, reinterpret_cast<gpointer*>(&relatedTo));
  if (constructView) return;
  // No page is kept for going back, and little of what pages load: the
  // program's pages are small and seldom visited twice.
  webkit_web_context_set_cache_model(webkit_web_view_get_context(view),
                                     WEBKIT_CACHE_MODEL_DOCUMENT_VIEWER);
  auto* viewClass = G_OBJECT_CLASS(g_type_class_peek(WEBKIT_TYPE_WEB_VIEW));
  constructView = viewClass->constructor;
  viewClass->constructor = ConstructRelatedView;
}

gboolean ShowQuietPage(WebKitWebView* view, WebKitLoadEvent, gchar* address, GError* error,
                       gpointer) {
  // A load given up for another one, or handed to a plug-in, has no page.
  if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
      g_error_matches(error, WEBKIT_POLICY_ERROR,
                      WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
      g_error_matches(error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD)) {
    return FALSE;
  }
  g_object_set_data(G_OBJECT(view), kQuietPageKey, GINT_TO_POINTER(1));
  webkit_web_view_load_alternate_html(view, kQuietPage, address, nullptr);
  return TRUE;
}

// A navigation that goes ahead leaves the quiet page. wx's own handler runs
// first and stops the signal for a navigation the program refuses.
gboolean LeaveQuietPage(WebKitWebView* view, WebKitPolicyDecision*, WebKitPolicyDecisionType type,
                        gpointer) {
  if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION)
    g_object_set_data(G_OBJECT(view), kQuietPageKey, nullptr);
  return FALSE;
}

}  // namespace

wxWebView* NewEngineView(wxWindow* parent, const wxPoint& pos, const wxSize& size) {
  // wx makes every view in WebKit's default context. Pages run in its
  // sandbox wherever it can start.
  [[maybe_unused]] static const bool confined =
      ConfineWebContent(webkit_web_context_get_default());
  wxWebView* browser;
  {
    // WebKit reads these as the first view starts its processes, which it
    // does before wx hands the view back.
    const ScopedEnvironment settings(QuietEngineSettings());
    browser = wxWebView::New(parent, wxID_ANY, wxWebViewDefaultURLStr, pos, size,
                             wxWebViewBackendDefault);
  }
  if (!browser) return nullptr;
  auto* view = WEBKIT_WEB_VIEW(browser->GetNativeBackend());
  RelateLaterViewsTo(view);
  g_signal_connect(view, "load-failed", G_CALLBACK(ShowQuietPage), nullptr);
  g_signal_connect(view, "decide-policy", G_CALLBACK(LeaveQuietPage), nullptr);
  return browser;
}

bool SandboxCouldNotStart() {
  return !webkit_web_context_get_sandbox_enabled(webkit_web_context_get_default());
}

bool ShowsQuietPage(const wxWebView& browser) {
  return g_object_get_data(G_OBJECT(browser.GetNativeBackend()), kQuietPageKey) != nullptr;
}

}  // namespace velmo
