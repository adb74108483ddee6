// The script dialogs. They are created once at start-up in the program's
// order, around the data module, and wired once all exist: some are created
// before the windows they open or write to.
#pragma once

#include "ui/scripts/U_AddMp.h"
#include "ui/scripts/U_ModMp.h"
#include "ui/scripts/U_ModPoint.h"
#include "ui/scripts/U_ModPoint2.h"
#include "ui/scripts/U_addpoint.h"
#include "ui/scripts/U_mod_addpoint.h"
#include "ui/scripts/U_shotkey.h"

namespace velmo {

class Tdm1;

// The windows belong to the main window, their parent.
struct ScriptWindows {
  Tfrm_addpoint* frm_addpoint = nullptr;
  TFrm_AddMP* Frm_AddMP = nullptr;
  TFrm_ModPoint* Frm_ModPoint = nullptr;
  TFrm_ModMP* Frm_ModMP = nullptr;
  TFrm_ModPoint2* Frm_ModPoint2 = nullptr;
  TFrm_shotkey* Frm_shotkey = nullptr;
  Tfrm_mod_addpint* frm_mod_addpint = nullptr;

  // Editors to their point dialogs and the store, point dialogs to their
  // editors.
  void wire(Tdm1& dm1) const;
};

}  // namespace velmo
