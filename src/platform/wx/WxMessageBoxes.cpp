#include "platform/wx/WxMessageBoxes.h"

#include <wx/artprov.h>
#include <wx/wx.h>

namespace velmo {

namespace {

// GTK 3's own message dialog draws no icon, so a warning, an
// error and a question would look alike: the box is built here instead.
wxArtID IconFor(unsigned flags) {
  switch (flags & 0xF0) {
    case kMbIconError: return wxART_ERROR;
    case kMbIconQuestion: return wxART_QUESTION;
    case kMbIconWarning: return wxART_WARNING;
    case kMbIconInformation: return wxART_INFORMATION;
    default: return {};
  }
}

// Room the title bar needs beside the caption for its buttons and margins.
constexpr int kTitleBarAllowance = 120;
constexpr int kMargin = 12;

}  // namespace

std::string LineBreaksForDisplay(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) out += '\n';
    else out += text[i];
  }
  return out;
}

std::unique_ptr<wxDialog> NewMessageBox(wxWindow* owner, const std::string& text,
                                        const std::string& caption, unsigned flags) {
  const bool yesNo = (flags & 0x0F) == kMbYesNo;
  // A question must be answered: no close box, as on Windows.
  auto dialog = std::make_unique<wxDialog>(owner, wxID_ANY, wxString::FromUTF8(caption),
                                           wxDefaultPosition, wxDefaultSize,
                                           wxCAPTION | wxSYSTEM_MENU | (yesNo ? 0 : wxCLOSE_BOX));
  wxDialog* box = dialog.get();
  auto* body = new wxBoxSizer(wxHORIZONTAL);
  const wxArtID icon = IconFor(flags);
  if (!icon.empty()) {
    body->Add(new wxStaticBitmap(box, wxID_ANY, wxArtProvider::GetBitmap(icon, wxART_MESSAGE_BOX)),
              0, wxRIGHT, kMargin);
  }
  body->Add(new wxStaticText(box, wxID_ANY, wxString::FromUTF8(LineBreaksForDisplay(text))), 1,
            wxALIGN_CENTER_VERTICAL);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->AddStretchSpacer();
  const auto addButton = [box, buttons](int id, const char* label) {
    auto* button = new wxButton(box, id, wxString::FromUTF8(label));
    button->Bind(wxEVT_BUTTON, [box, id](wxCommandEvent&) { box->EndModal(id); });
    buttons->Add(button, 0, wxLEFT, kMargin / 2);
    return button;
  };
  wxButton* first = addButton(yesNo ? wxID_YES : wxID_OK, yesNo ? "是(&Y)" : "确定");
  if (yesNo) addButton(wxID_NO, "否(&N)");
  first->SetDefault();
  first->SetFocus();
  box->SetEscapeId(yesNo ? wxID_NO : wxID_OK);

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(body, 1, wxEXPAND | wxALL, kMargin);
  column->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, kMargin);
  // Wide enough for the whole caption in the title bar.
  column->SetMinSize(wxSize(box->GetTextExtent(box->GetTitle()).x + kTitleBarAllowance, -1));
  box->SetSizerAndFit(column);
  box->CentreOnParent();
  return dialog;
}

int WxMessageBoxes::MessageBoxA(WindowRef owner, const std::string& text, const std::string& caption,
                               unsigned flags) {
  const int answer =
      NewMessageBox(static_cast<wxWindow*>(owner), text, caption, flags)->ShowModal();
  if ((flags & 0x0F) == kMbYesNo) return answer == wxID_YES ? kIdYes : kIdNo;
  return kIdOk;
}

}  // namespace velmo
