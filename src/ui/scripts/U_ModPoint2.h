// The modify-point dialog of the modify-script editor: rewrites the editor's
// selected row and closes. It holds F11 under its own id, 1081.
#pragma once

#include "ui/scripts/PointDialog.h"

namespace velmo {

class TFrm_ModPoint2 : public PointDialog {
 public:
  explicit TFrm_ModPoint2(ScriptDialogHost& host);
};

}  // namespace velmo
