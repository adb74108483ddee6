#include "platform/wx/WxMessageBoxes.h"

#include <wx/msgdlg.h>

namespace velmo {

std::string LineBreaksForDisplay(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) out += '\n';
    else out += text[i];
  }
  return out;
}

int WxMessageBoxes::MessageBoxA(WindowRef owner, const std::string& text, const std::string& caption,
                                unsigned flags) {
  long style = wxCENTRE;
  switch (flags & 0xF0) {
    case kMbIconError: style |= wxICON_ERROR; break;
    case kMbIconQuestion: style |= wxICON_QUESTION; break;
    case kMbIconWarning: style |= wxICON_WARNING; break;
    case kMbIconInformation: style |= wxICON_INFORMATION; break;
    default: style |= wxICON_NONE; break;
  }
  const bool yesNo = (flags & 0x0F) == kMbYesNo;
  style |= yesNo ? wxYES_NO : wxOK;
  wxMessageDialog dialog(static_cast<wxWindow*>(owner), wxString::FromUTF8(LineBreaksForDisplay(text)),
                         wxString::FromUTF8(caption), style);
  if (yesNo) dialog.SetYesNoLabels(wxString::FromUTF8("是(&Y)"), wxString::FromUTF8("否(&N)"));
  else dialog.SetOKLabel(wxString::FromUTF8("确定"));
  const int answer = dialog.ShowModal();
  if (yesNo) return answer == wxID_YES ? kIdYes : kIdNo;
  return kIdOk;
}

}  // namespace velmo
