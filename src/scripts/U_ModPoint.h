// The modify-point dialog of the add-script editor: rewrites the editor's
// selected row and closes.
#pragma once

#include "scripts/PointDialog.h"

namespace velmo {

class TFrm_ModPoint : public PointDialog {
 public:
  explicit TFrm_ModPoint(TFrm_Main& main);
};

}  // namespace velmo
