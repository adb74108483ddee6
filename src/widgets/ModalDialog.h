// A dialog created once at start-up, shown modally by its opener and hidden
// on closing, so its controls keep their contents between showings.
#pragma once

#include <wx/wx.h>

#include <functional>

namespace velmo {

class ModalDialog : public wxDialog {
 public:
  // How the opener's show runs: ShowModal by default. Window tests replace
  // it to drive the handlers without a modal loop.
  using Shower = std::function<void(ModalDialog&)>;

  // Shows the dialog modally: centred over the main window the first time,
  // later where it was last.
  void execute();
  void setShower(Shower shower) { shower_ = std::move(shower); }

  // Every way of closing (buttons, Escape, the close box) comes here.
  virtual void closeDialog();

 protected:
  // `main` is the owner the dialog is centred over at its first showing.
  // Escape closes the dialog when `escapeCloses` and does nothing otherwise.
  ModalDialog(wxWindow* main, const char* caption, long style, bool escapeCloses);

  // The client area of a window whose whole size, frame included, is
  // `window`, as the frame of a sizeable dialog takes it. Windows are sized by
  // their client area: wxGTK defers the first showing of a window sized as a
  // whole until the window manager has told its frame, and a window manager
  // places a window so shown by its own rule (openbox: the screen's corner).
  static wxSize ClientAreaOf(wxSize window);

  // Runs `formShow` at every showing, once the window is on screen.
  void onEveryShowing(std::function<void()> formShow);

  // Key preview: sees every key before the focused control.
  void FormKeyPress(wxKeyEvent& event);

 private:
  Shower shower_;
  bool escapeCloses_;
  bool placed_ = false;
};

}  // namespace velmo
