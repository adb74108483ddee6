// What the program asks of WebKitGTK beyond what wxWebView offers.
#pragma once

#include <wx/webview.h>

namespace velmo {

// Called for every new browser. Browsers made after the first are WebKit
// related views of it and so share its web-content process; a page that
// cannot load shows the program's own quiet page instead of WebKit's error
// page.
void AdoptWebKitView(wxWebView& browser);

}  // namespace velmo
