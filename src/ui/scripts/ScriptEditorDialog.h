// The layout and behaviour shared by the two script editors, TFrm_AddMP and
// TFrm_ModMP: name, start hotkey, loop count and the point list, written to
// the store on OK. What sets them apart is a ScriptEditorKind.
#pragma once

#include <wx/listctrl.h>

#include <memory>

#include "scripts/ClickRecording.h"
#include "scripts/PointList.h"
#include "scripts/ScriptEditing.h"
#include "widgets/ModalDialog.h"

namespace velmo {

class MessageBoxes;
class PointDialog;
class ScriptDialogHost;
class Tdm1;

struct ScriptEditorKind {
  const char* caption;
  long style;
  wxSize clientSize;
  EditorMode mode;  // insert: editable name, checked against the store
  const char* hint;
};

class ScriptEditorDialog : public ModalDialog {
 public:
  // The store and the point dialogs exist only after this window.
  void wire(Tdm1& dm1, PointDialog& addPoint, PointDialog& modifyPoint);

  // Empty fields for a new script; the hotkey lists keep what they showed
  // when the dialog was last closed.
  void clearScript();
  // A stored script's texts in the fields. A stored entry with a missing
  // field raises an error; what was filled before it stays filled.
  void loadScript(const std::string& name, const std::string& loopCount,
                  const std::string& hotkey, const std::string& points);

  void btn1Click();  // OK: check, write, close, reload the main list
  void btn2Click();  // cancel
  void btn4Click();  // add a point
  void btn5Click();  // modify the selected point
  void btn6Click();  // delete the selected point
  void btn7Click();  // move the selected point up
  void btn8Click();  // move the selected point down
  // Record: the dialog steps aside and comes back, once Esc or the stop
  // hotkey ends the recording, with the clicks made meanwhile appended.
  void btn9Click();

  // The point list lv1 as rows of three texts, in execution order.
  int pointCount() const;
  int selectedPoint() const;  // -1 when none
  void selectPoint(int row);
  PointRow point(int row) const;
  void setPoint(int row, const PointRow& point);
  void appendPoint(const PointRow& point);
  void clearPoints();

  wxStaticBox* grp1;
  wxStaticText* lbl1;
  wxTextCtrl* edt1;
  wxStaticText* lbl2;
  wxComboBox* cbb1;
  wxStaticText* lbl3;
  wxComboBox* cbb2;
  wxStaticText* lbl5;
  wxTextCtrl* edt2;
  wxStaticText* lbl4;
  wxStaticBox* grp2;
  wxListCtrl* lv1;
  wxButton* btn4;
  wxButton* btn5;
  wxButton* btn6;
  wxButton* btn7;
  wxButton* btn8;
  wxButton* btn9;
  wxButton* btn1;
  wxButton* btn2;

 protected:
  ScriptEditorDialog(ScriptDialogHost& host, const ScriptEditorKind& kind);

 private:
  void buildSettings();
  void buildPointList();
  void bindHandlers();
  // Odd rows (the second, fourth, ...) are shaded in EnabledRowColour.
  void lv1CustomDrawItem(int row);
  void shadeRows();
  void moveSelected(int step);
  ScriptDraft draft() const;
  void tell(const std::string& message);
  void recordingEnded();

  ScriptDialogHost& host_;
  MessageBoxes& boxes_;
  ScriptEditorKind kind_;
  Tdm1* dm1_ = nullptr;
  PointDialog* addPoint_ = nullptr;
  PointDialog* modifyPoint_ = nullptr;
  std::unique_ptr<ClickRecording> recording_;  // while recording
};

}  // namespace velmo
