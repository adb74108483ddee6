#include "ui/scripts/ScriptWindows.h"


namespace velmo {

void ScriptWindows::wire(Tdm1& dm1) const {
  frm_addpoint->wire(*Frm_AddMP);
  Frm_ModPoint->wire(*Frm_AddMP);
  frm_mod_addpint->wire(*Frm_ModMP);
  Frm_ModPoint2->wire(*Frm_ModMP);
  Frm_AddMP->wire(dm1, *frm_addpoint, *Frm_ModPoint);
  Frm_ModMP->wire(dm1, *frm_mod_addpint, *Frm_ModPoint2);
}

}  // namespace velmo
