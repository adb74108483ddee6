#include "scripts/ScriptWindows.h"

#include "app/U_Main.h"

namespace velmo {

void ScriptWindows::wire(TFrm_Main& main, Tdm1& dm1) const {
  frm_addpoint->wire(*Frm_AddMP);
  Frm_ModPoint->wire(*Frm_AddMP);
  frm_mod_addpint->wire(*Frm_ModMP);
  Frm_ModPoint2->wire(*Frm_ModMP);
  Frm_AddMP->wire(dm1, *frm_addpoint, *Frm_ModPoint);
  Frm_ModMP->wire(dm1, *frm_mod_addpint, *Frm_ModPoint2);
  main.useScriptDialogs(*Frm_AddMP, *Frm_ModMP, *Frm_shotkey);
}

}  // namespace velmo
