#include "scripts/U_mod_addpoint.h"

namespace velmo {

Tfrm_mod_addpint::Tfrm_mod_addpint(TFrm_Main& main) : PointDialog(main, kModAddPointKind) {}

}  // namespace velmo
