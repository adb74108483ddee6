// The modify-script editor: the script is found by its name, which cannot be
// edited here, and its row is updated.
#pragma once

#include "ui/scripts/ScriptEditorDialog.h"

namespace velmo {

class TFrm_ModMP : public ScriptEditorDialog {
 public:
  explicit TFrm_ModMP(ScriptDialogHost& host);
};

}  // namespace velmo
