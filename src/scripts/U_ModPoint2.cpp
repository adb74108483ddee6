#include "scripts/U_ModPoint2.h"

namespace velmo {

TFrm_ModPoint2::TFrm_ModPoint2(TFrm_Main& main) : PointDialog(main, kModPoint2Kind) {}

}  // namespace velmo
