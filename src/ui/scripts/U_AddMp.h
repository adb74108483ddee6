// The add-script editor: a new script is inserted under a name not stored yet.
#pragma once

#include "ui/scripts/ScriptEditorDialog.h"

namespace velmo {

class TFrm_AddMP : public ScriptEditorDialog {
 public:
  explicit TFrm_AddMP(ScriptDialogHost& host);

  wxStaticText* lbl6;
  wxStaticText* lbl7;
};

}  // namespace velmo
