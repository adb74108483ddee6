#include "widgets/ModalDialog.h"

#include "widgets/DialogControls.h"
#include "widgets/DpiLayout.h"
#include "widgets/WxText.h"

namespace velmo {

ModalDialog::ModalDialog(wxWindow* main, const char* caption, long style, bool escapeCloses)
    : wxDialog(main, wxID_ANY, FromUtf8(caption), wxDefaultPosition, wxDefaultSize,
               style),
      // The dialog's handlers do all there is to do; how it was closed
      // tells the opener nothing more.
      shower_([](ModalDialog& dialog) { dialog.ShowModal(); }),
      escapeCloses_(escapeCloses) {
  SetFont(main->GetFont());  // the program's font, as on the main window
  // wx would turn Escape into a cancel or a close of its own; the dialog
  // decides in FormKeyPress instead.
  SetEscapeId(wxID_NONE);
  Bind(wxEVT_CHAR_HOOK, &ModalDialog::FormKeyPress, this);
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { closeDialog(); });
}

wxSize ModalDialog::ClientAreaOf(wxSize window) {
  // A sizeable frame's borders and caption, as Windows draws them.
  return window - wxSize(8, 34);
}

void ModalDialog::execute() {
  if (!placed_) {
    ScaleLayoutToDpi(this);
    // Lines broken for a larger font may need a taller client area.
    const int height = FitTexts(this);
    if (height > GetClientSize().y) SetClientSize(GetClientSize().x, height);
    CentreOnParent();
    placed_ = true;
  }
  shower_(*this);
}

void ModalDialog::closeDialog() {
  if (IsModal()) EndModal(wxID_CANCEL);
  else Hide();
}

void ModalDialog::FormKeyPress(wxKeyEvent& event) {
  if (event.GetKeyCode() != WXK_ESCAPE) {
    event.Skip();
    return;
  }
  if (escapeCloses_) closeDialog();
}

void ModalDialog::onEveryShowing(std::function<void()> formShow) {
  // wx sends this on every showing, once the window is on screen.
  Bind(wxEVT_INIT_DIALOG, [formShow = std::move(formShow)](wxInitDialogEvent& event) {
    formShow();
    event.Skip();
  });
}

}  // namespace velmo
