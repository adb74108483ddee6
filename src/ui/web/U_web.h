// The general web window: one browser filling a sizeable window that opens
// maximised. The program's shared instance (Frm_web) is navigated and then
// shown modally by its openers; the main window's strip makes more of them,
// shown not modally, for pages that ask for a new window. Closing hides it.
// The browser is made when the window is first shown or navigated: a window
// never opened costs no web page.
#pragma once

#include <wx/dialog.h>
#include <wx/webview.h>

namespace velmo {

class TFrm_web : public wxDialog {
 public:
  explicit TFrm_web(wxWindow* parent);

  // wb1, made at the first call.
  wxWebView& browser();

  // Caption := the title of the top document, once the browser has it (it
  // may come after the document has completed). The start document and the
  // quiet page of a page that could not load leave the caption as it is.
  void wb1TitleChange(wxWebViewEvent& event);
  // A link that asks for a new window opens in this window instead.
  void wb1NewWindow2(wxWebViewEvent& event);

  wxWebView* wb1 = nullptr;  // null until browser() made it

 private:
  void FormShow(wxShowEvent& event);
};

// Escape closes `window` (hides it, or ends its modal showing), whichever of
// its controls has the keyboard focus, its browser included.
void CloseOnEscape(wxDialog& window);

}  // namespace velmo
