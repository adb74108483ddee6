#include "ui/scripts/U_mod_addpoint.h"

namespace velmo {

Tfrm_mod_addpint::Tfrm_mod_addpint(ScriptDialogHost& host) : PointDialog(host, kModAddPointKind) {}

}  // namespace velmo
