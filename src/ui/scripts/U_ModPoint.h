// The modify-point dialog of the add-script editor: rewrites the editor's
// selected row and closes.
#pragma once

#include "ui/scripts/PointDialog.h"

namespace velmo {

class TFrm_ModPoint : public PointDialog {
 public:
  explicit TFrm_ModPoint(ScriptDialogHost& host);
};

}  // namespace velmo
