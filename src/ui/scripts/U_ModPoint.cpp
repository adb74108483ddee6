#include "ui/scripts/U_ModPoint.h"

namespace velmo {

TFrm_ModPoint::TFrm_ModPoint(ScriptDialogHost& host) : PointDialog(host, kModPointKind) {}

}  // namespace velmo
