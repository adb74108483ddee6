// The add-point dialog of the modify-script editor. Escape does not close it,
// and its read-out names the two axes.
#pragma once

#include "ui/scripts/PointDialog.h"

namespace velmo {

class Tfrm_mod_addpint : public PointDialog {
 public:
  explicit Tfrm_mod_addpint(ScriptDialogHost& host);
};

}  // namespace velmo
