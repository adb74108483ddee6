// The modify-script editor: the script is found by its name, which cannot be
// edited here, and its row is updated.
#pragma once

#include "scripts/ScriptEditorDialog.h"

namespace velmo {

class TFrm_ModMP : public ScriptEditorDialog {
 public:
  explicit TFrm_ModMP(TFrm_Main& main);
};

}  // namespace velmo
