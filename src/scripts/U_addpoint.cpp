#include "scripts/U_addpoint.h"

namespace velmo {

Tfrm_addpoint::Tfrm_addpoint(TFrm_Main& main) : PointDialog(main, kAddPointKind) {}

}  // namespace velmo
