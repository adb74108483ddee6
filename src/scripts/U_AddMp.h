// The add-script editor: a new script is inserted under a name not stored yet.
#pragma once

#include "scripts/ScriptEditorDialog.h"

namespace velmo {

class TFrm_AddMP : public ScriptEditorDialog {
 public:
  explicit TFrm_AddMP(TFrm_Main& main);

  wxStaticText* lbl6;
  wxStaticText* lbl7;
};

}  // namespace velmo
