// The about box: program icon, name, version and the maker's address, with a
// button that shows the feedback window. Made for each opening, shown
// modally, gone when closed.
#pragma once

#include <wx/dialog.h>
#include <wx/stattext.h>

#include <string>

namespace velmo {

class TFrm_FeedBack;

class TAboutBox : public wxDialog {
 public:
  TAboutBox(TFrm_FeedBack& feedback, const std::string& makerSite);

  void btn1Click(wxCommandEvent& event);

  wxStaticText* ProductName = nullptr;
  wxStaticText* Version = nullptr;
  wxStaticText* Copyright = nullptr;  // the maker's address
  wxButton* OKButton = nullptr;
  wxButton* btn1 = nullptr;

 private:
  TFrm_FeedBack& feedback_;
};

}  // namespace velmo
