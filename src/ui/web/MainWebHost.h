// Between the main window and its web parts: what the web parts do at the
// main window's start-up and close (MainWebParts), and what they need of the
// main window (MainWebHost): the frame, the places of the strip and the link,
// the buttons that open pages, and the close-page state.
#pragma once

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/statbmp.h>
#include <wx/statusbr.h>

#include <exception>

#include "platform/Platform.h"
#include "web/UpdateCheck.h"

namespace velmo {

// Attached by the program at start-up; window tests that are not about the
// web parts leave them out.
class MainWebParts {
 public:
  virtual ~MainWebParts() = default;
  virtual void showPopupAndLinkCaption() = 0;  // start-up: red-packet popup, link caption
  virtual void navigateStatistics() = 0;       // start-up: hidden statistics browser
  virtual void navigateUpdateStrip() = 0;      // start-up: the update strip, after the list
  // start-up: link label into status panel 1; in panel 0, where so, that
  // pages run outside the web engine's sandbox
  virtual void placeLinkLabel() = 0;
  virtual void closeTimePage() = 0;            // close query: the page when is_pop is "1"
};

// The main window's controls that open pages and windows.
struct MainWebControls {
  wxStaticBitmap* img1;  // the banner
  wxButton* btn2;        // about
  wxButton* btn4;        // more programs
  wxButton* btn3;        // feedback
  wxButton* btn12;       // second site
  wxButton* btn5;        // red packet
};

class MainWebHost {
 public:
  // Parent of the browsers and the windows opened from them, owner of the tray
  // icon, hidden before the close-time page.
  virtual wxFrame& frame() = 0;
  // Where the browsers and the link label are made.
  virtual wxWindow* client() = 0;
  virtual Platform& platform() = 0;
  virtual MainWebControls webControls() = 0;
  // Below the book, whatever its height.
  virtual wxPoint updateStripAt() const = 0;
  // The status bar, and panel 1 widened to hold a text `textWidth` wide.
  virtual wxStatusBar* statusBar() = 0;
  virtual void fitStatusPanel(int panel, int textWidth) = 0;
  virtual ClosePageState closePageState() const = 0;
  virtual void setClosePageState(const ClosePageState& state) = 0;
  // Shows an error that escapes a tray gesture, as the top-level report does.
  virtual void ReportError(const std::exception& error) = 0;

 protected:
  ~MainWebHost() = default;
};

}  // namespace velmo
