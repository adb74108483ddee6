#include "ui/scripts/U_ModMp.h"

namespace velmo {

TFrm_ModMP::TFrm_ModMP(ScriptDialogHost& host)
    : ScriptEditorDialog(host, {.caption = "修改坐标",
                                .style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX,
                                .clientSize = wxSize(361, 411),
                                .mode = EditorMode::Update,
                                .hint = "输入名称和设置启动热键和循环点击的次数。"}) {}

}  // namespace velmo
