// What the program asks of the platform's browser engine beyond what
// wxWebView offers: WebKitViews.cpp for WebKitGTK, IeViews.cpp for the IE
// engine of Windows.
#pragma once

#include <wx/webview.h>

namespace velmo {

// Shown where a page cannot be loaded (no network, unknown host): an empty
// page in the colours of an empty browser, with nothing to read.
inline constexpr const char* kQuietPage =
    "<!DOCTYPE html><html><head><meta charset='utf-8'></head>"
    "<body style='margin:0;background:#fff'></body></html>";

// A new browser of the platform's default engine, or nullptr when there is
// none. A page that cannot load shows the program's own quiet page instead
// of the engine's error page (ShowsQuietPage tells). With WebKit, browsers
// made after the first are related views of it and so share its web-content
// process.
wxWebView* NewEngineView(wxWindow* parent, const wxPoint& pos, const wxSize& size);

// Whether the engine's sandbox for pages could not start, so that they run
// with every right of the user; known once the first browser is made. With
// WebKit the pages run in bubblewrap where it can start. IE has no sandbox of
// the program's choosing: it runs pages in the program's own process.
bool SandboxCouldNotStart();

}  // namespace velmo
