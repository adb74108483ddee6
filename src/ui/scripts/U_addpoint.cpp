#include "ui/scripts/U_addpoint.h"

namespace velmo {

Tfrm_addpoint::Tfrm_addpoint(ScriptDialogHost& host) : PointDialog(host, kAddPointKind) {}

}  // namespace velmo
