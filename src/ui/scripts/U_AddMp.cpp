#include "ui/scripts/U_AddMp.h"

#include "widgets/DialogControls.h"

namespace velmo {

TFrm_AddMP::TFrm_AddMP(ScriptDialogHost& host)
    : ScriptEditorDialog(host, {.caption = "添加多坐标点击",
                                .style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxMINIMIZE_BOX,
                                .clientSize = wxSize(356, 414),
                                .mode = EditorMode::Insert,
                                .hint = "输入名称和设置启动热键"}) {
  // Only the add dialog explains how the list runs.
  lbl6 = LabelAt(this, wxPoint(16, 318), "软件是按照上面的坐标的位置一行一行的执行点击的。");
  lbl7 = LabelAt(this, wxPoint(16, 340), "间隔时间是每一行执行完后停留多少久时间才点击下一行的");
  lbl7->SetForegroundColour(wxColour(0, 128, 0));
}

}  // namespace velmo
