// The main window with its script dialogs on the fake platform. A dialog's
// modal show is replaced by a plain show, so the test goes on while it is
// open and its show handler runs as in the program.
#pragma once

#include <gtk/gtk.h>

#include <vector>

#include "GuiFixture.h"
#include "ui/scripts/ScriptWindows.h"

namespace velmo::test {

struct ScriptDialogsFixture : MainWindowFixture {
  ScriptWindows w;
  std::vector<ModalDialog*> shown;  // every showing, in order

  void create() {
    MainWindowFixture::create();
    w.frm_addpoint = new Tfrm_addpoint(*main);
    w.Frm_AddMP = new TFrm_AddMP(*main);
    w.Frm_ModPoint = new TFrm_ModPoint(*main);
    w.Frm_ModMP = new TFrm_ModMP(*main);
    w.Frm_ModPoint2 = new TFrm_ModPoint2(*main);
    w.Frm_shotkey = new TFrm_shotkey(*main);
    w.frm_mod_addpint = new Tfrm_mod_addpint(*main);
    w.wire(*dm1);
    main->useScriptDialogs(w);
    for (ModalDialog* dialog : dialogs()) {
      dialog->setShower([this](ModalDialog& d) {
        shown.push_back(&d);
        d.Show();
      });
    }
  }
  void start() {
    if (!main) create();
    main->FormShow();
  }
  std::vector<ModalDialog*> dialogs() const {
    return {w.frm_addpoint, w.Frm_AddMP,   w.Frm_ModPoint,    w.Frm_ModMP,
            w.Frm_ModPoint2, w.Frm_shotkey, w.frm_mod_addpint};
  }
  std::vector<PointDialog*> pointDialogs() const {
    return {w.frm_addpoint, w.frm_mod_addpint, w.Frm_ModPoint, w.Frm_ModPoint2};
  }
  ScriptListPage& page() { return main->scriptList(); }
  void selectScript(int row) {
    page().lv2->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  }

  // The last message box: its owner, text, the dialogs' caption "提示" and
  // one OK button with `icon`.
  ::testing::AssertionResult lastBoxIs(const wxWindow* owner, const std::string& text,
                                       unsigned icon) const {
    if (p.boxes.shown.empty()) return ::testing::AssertionFailure() << "no message box";
    const fake::ShownBox& box = p.boxes.shown.back();
    const bool sameOwner = static_cast<const void*>(box.owner) == owner;
    if (sameOwner && box.text == text && box.caption == "提示" && box.flags == (kMbOk | icon))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "box \"" << box.text << "\" caption \"" << box.caption
                                         << "\" flags " << box.flags
                                         << (sameOwner ? "" : " from another owner");
  }

  // Whether `control` holds the keyboard focus of its window (the window
  // need not be the active one).
  static bool focused(wxWindow* control) {
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(wxGetTopLevelParent(control)->GetHandle()));
    GtkWidget* widget = control->GetHandle();
    return focus && (focus == widget || gtk_widget_is_ancestor(focus, widget));
  }
  static bool typed(wxTextCtrl* edit, int ch) {
    wxKeyEvent event(wxEVT_CHAR);
    event.m_uniChar = ch;
    event.m_keyCode = ch;
    event.SetEventObject(edit);
    // A handled (not skipped) event is one the filter discarded.
    return !edit->GetEventHandler()->ProcessEvent(event);
  }
  static void pressEscape(wxDialog* dialog) {
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = WXK_ESCAPE;
    event.SetEventObject(dialog);
    dialog->GetEventHandler()->ProcessEvent(event);
  }
  static std::string text(const wxTextEntry* entry) { return ToUtf8(entry->GetValue()); }
  static std::vector<std::string> row(ScriptEditorDialog* editor, int index) {
    const PointRow r = editor->point(index);
    return {r.coordinate, r.action, r.interval};
  }
};

}  // namespace velmo::test
