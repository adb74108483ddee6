#include "scripts/U_ModPoint.h"

namespace velmo {

TFrm_ModPoint::TFrm_ModPoint(TFrm_Main& main) : PointDialog(main, kModPointKind) {}

}  // namespace velmo
