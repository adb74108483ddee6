// The feedback window: the feedback form of the statistics server, loaded
// afresh at every show. The program knows one address of it, the one the
// form posts to: when that page completes, the feedback was sent. The browser
// is made at the first show.
#pragma once

#include <wx/dialog.h>
#include <wx/webview.h>

#include <string>

#include "platform/Platform.h"

namespace velmo {

class TFrm_FeedBack : public wxDialog {
 public:
  TFrm_FeedBack(wxWindow* main, MessageBoxes& boxes, std::string formAddress,
                std::string postAddress);

  void FormShow(wxShowEvent& event);
  // Confirms a sent feedback and hides the window.
  void wb1DocumentComplete(wxWebViewEvent& event);

  wxWebView* wb1 = nullptr;  // null until the first show

 private:
  MessageBoxes& boxes_;
  std::string formAddress_;
  std::string postAddress_;
};

}  // namespace velmo
