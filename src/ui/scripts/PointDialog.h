// The layout and behaviour shared by the four point dialogs: one point of a
// script as three texts, the F11 capture of the cursor position on the
// dialog's own hotkey id, and the live read-out of the cursor. An add dialog
// appends rows to its editor's list and stays open; a modify dialog rewrites
// the editor's selected row and closes. The rest of their differences is a
// PointDialogKind.
#pragma once

#include "platform/Platform.h"
#include "scripts/PointEditing.h"
#include "widgets/ModalDialog.h"

namespace velmo {

class ScriptEditorDialog;
class ScriptDialogHost;

enum class PointCommit { Append, Rewrite };

struct PointDialogKind {
  PointCommit commit;  // Append: topmost, typed coordinates filtered, four help lines
  int hotkeyId;
  bool commaCheck;
  bool escapeCloses;
  int readoutPeriodMs;
  ReadoutStyle readout;
  long style;
  wxSize size;
  bool clientSize;  // `size` is the client area rather than the whole window
};

// The table of members.
extern const PointDialogKind kAddPointKind;     // Tfrm_addpoint
extern const PointDialogKind kModAddPointKind;  // Tfrm_mod_addpint
extern const PointDialogKind kModPointKind;     // TFrm_ModPoint
extern const PointDialogKind kModPoint2Kind;    // TFrm_ModPoint2

class PointDialog : public ModalDialog, public HotkeySink {
 public:
  // The editor whose list this dialog writes exists only after it.
  void wire(ScriptEditorDialog& editor) { editor_ = &editor; }
  // The modify dialogs are shown with the editor's selected row.
  void load(const PointRow& point);

  void FormShow();
  void RegisterCaptureKey();
  void WMHotKey(int id) override;
  void tmr1Timer();
  void FormClose();
  void btn1Click();
  void btn2Click();
  void btn3Click();  // pick the point on the screen, where F11 cannot read the cursor
  void closeDialog() override;

  static constexpr int tmr1 = 1;

  wxStaticBox* grp1;
  wxStaticText* lbl6;
  wxStaticText* lbl1;
  wxTextCtrl* edt1;
  wxStaticText* lbl2;
  wxComboBox* cbb1;
  wxStaticText* lbl3;
  wxComboBox* cbb2;
  wxStaticText* lbl5;
  wxStaticText* lbl4;
  wxButton* btn1;
  wxButton* btn2;
  wxButton* btn3 = nullptr;  // only where the platform has a point picker

 protected:
  PointDialog(ScriptDialogHost& host, const PointDialogKind& kind);

 private:
  bool adds() const { return kind_.commit == PointCommit::Append; }
  void buildControls();
  void bindHandlers();
  PointRow currentPoint() const;
  void refuse(const PointRefusal& refusal);
  void resetFields();
  void tell(const std::string& message, unsigned icon);

  Platform& platform_;
  PointDialogKind kind_;
  ScriptEditorDialog* editor_ = nullptr;
};

}  // namespace velmo
