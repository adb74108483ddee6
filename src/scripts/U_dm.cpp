#include "scripts/U_dm.h"

#include "common/Texts.h"

namespace velmo {

Tdm1::Tdm1(const std::string& dataDir, MessageBoxes& boxes, Shell& shell,
           const MissingDataPages& pages, std::function<void()> requestTerminate)
    : con1(dataDir) {
  DataModuleCreate(dataDir, boxes, shell, pages, requestTerminate);
}

void Tdm1::DataModuleCreate(const std::string& dataDir, MessageBoxes& boxes, Shell& shell,
                            const MissingDataPages& pages,
                            const std::function<void()>& requestTerminate) {
  if (DataFileExists(dataDir)) return;
  boxes.MessageBoxA(nullptr,
                    "软件出错,没有找到所需的数据文件，请到" + pages.downloadSite +
                        "重新下载过软件.",
                    kDialogCaption, kMbIconInformation);
  shell.open(pages.errorReport);
  requestTerminate();
}

}  // namespace velmo
