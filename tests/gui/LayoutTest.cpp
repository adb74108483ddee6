// Every window at the font it is shown with: each control whole inside what
// holds it, none over another.
#include <wx/bookctrl.h>
#include <wx/statbox.h>

#include <cmath>

#include "ScriptDialogsFixture.h"
#include "common/Texts.h"
#include "ui/scripts/U_addpoint.h"

using namespace velmo;

namespace {

bool isFrame(wxWindow* control) {
  return dynamic_cast<wxStaticBox*>(control) || dynamic_cast<wxBookCtrlBase*>(control) ||
         dynamic_cast<wxPanel*>(control);
}

std::string nameOf(wxWindow* control) {
  return ToUtf8(control->GetClassInfo()->GetClassName()) + " \"" + ToUtf8(control->GetLabel()) +
         "\"";
}

// The controls on `window` and, in turn, on the panels and pages among them.
void expectWhole(wxWindow* window, const std::string& where) {
  std::vector<wxWindow*> controls, frames;
  for (wxWindow* control : window->GetChildren()) {
    // A frame's status bar stands below its client area.
    if (control->IsTopLevel() || !control->IsShown() || dynamic_cast<wxStatusBar*>(control))
      continue;
    (isFrame(control) ? frames : controls).push_back(control);
    EXPECT_TRUE(wxRect(window->GetClientSize()).Contains(control->GetRect()))
        << where << ": " << nameOf(control) << " at " << control->GetRect().x << ","
        << control->GetRect().y << " size " << control->GetRect().width << "x"
        << control->GetRect().height << " in " << window->GetClientSize().x << "x"
        << window->GetClientSize().y;
  }
  for (size_t a = 0; a < controls.size(); ++a) {
    const wxRect r = controls[a]->GetRect();
    for (size_t b = a + 1; b < controls.size(); ++b)
      EXPECT_FALSE(r.Intersects(controls[b]->GetRect()))
          << where << ": " << nameOf(controls[a]) << " over " << nameOf(controls[b]);
    for (wxWindow* frame : frames) {
      if (frame->GetRect().Contains(r.GetTopLeft())) {
        EXPECT_TRUE(frame->GetRect().Contains(r))
            << where << ": " << nameOf(controls[a]) << " past the edge of " << nameOf(frame);
      }
    }
  }
  for (wxWindow* frame : frames) {
    if (auto* book = dynamic_cast<wxBookCtrlBase*>(frame)) {
      for (size_t page = 0; page < book->GetPageCount(); ++page)
        expectWhole(book->GetPage(page), where + " / " + ToUtf8(book->GetPageText(page)));
    } else if (dynamic_cast<wxPanel*>(frame)) {
      expectWhole(frame, where);
    }
  }
}

// Each text a status panel shows stands whole in its field, which wx draws
// 5 pixels in from the field's sides.
void expectStatusTextsWhole(wxStatusBar* bar) {
  const std::pair<int, const char*> texts[] = {
      {0, kAppTitle},           {0, kStartedText},         {0, kStoppedText},
      {0, kFailSafeStoppedText}, {0, kOwnWindowSkippedText}, {0, kOwnFocusSkippedText},
      {0, kInputRefusedStoppedText}, {0, kElevatedSkippedText},
      {2, "点击次数:999999"}};
  for (const auto& [panel, text] : texts) {
    wxRect field;
    ASSERT_TRUE(bar->GetFieldRect(panel, field));
    const wxSize extent = bar->GetTextExtent(wxString::FromUTF8(text));
    EXPECT_LE(field.GetRight(), bar->GetClientSize().x) << text;
    EXPECT_LE(extent.x + 2 * 5, field.width) << text;
    EXPECT_LE(extent.y, field.height) << text;
  }
}

struct Layout : test::ScriptDialogsFixture {};

}  // namespace

TEST_F(Layout, EveryWindowShowsEachControlWholeAndApart) {
  start();
  main->Show();
  wxYield();
  expectWhole(main, ToUtf8(main->GetTitle()));
  expectStatusTextsWhole(main->stat1);
  std::vector<ModalDialog*> all = dialogs();
  all.push_back(&main->advanced());
  main->advanced().setShower([](ModalDialog& d) { d.Show(); });
  for (ModalDialog* dialog : all) {
    dialog->execute();
    wxYield();
    expectWhole(dialog, ToUtf8(dialog->GetTitle()));
    dialog->Hide();
  }
}

TEST_F(Layout, AMoveToAMonitorOfAnotherScalePlacesTheControlsAgain) {
  start();
  Tfrm_addpoint* dialog = w.frm_addpoint;
  dialog->execute();
  wxYield();
  const wxRect before = dialog->btn1->GetRect();
  wxDPIChangedEvent moved(wxSize(96, 96), wxSize(144, 144));
  moved.SetEventObject(dialog);
  dialog->GetEventHandler()->ProcessEvent(moved);
  const auto half = [](int v) { return static_cast<int>(std::lround(v * 1.5)); };
  EXPECT_EQ(dialog->btn1->GetRect(), wxRect(half(before.x), half(before.y), half(before.width),
                                            half(before.height)));
  dialog->Hide();
}
