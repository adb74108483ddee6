// The add-point dialog of the add-script editor: captured or typed points are
// appended to the editor's list one after another. The only point dialog that
// insists on a comma in the coordinate.
#pragma once

#include "ui/scripts/PointDialog.h"

namespace velmo {

class Tfrm_addpoint : public PointDialog {
 public:
  explicit Tfrm_addpoint(ScriptDialogHost& host);
};

}  // namespace velmo
