#include "ui/scripts/U_ModPoint2.h"

namespace velmo {

TFrm_ModPoint2::TFrm_ModPoint2(ScriptDialogHost& host) : PointDialog(host, kModPoint2Kind) {}

}  // namespace velmo
