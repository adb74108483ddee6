// The data module: holds the program's one connection to data.db. The
// program never creates data.db; without it the user is told where to get the
// program again and the program ends after start-up.
#pragma once

#include <functional>
#include <string>

#include "platform/Platform.h"
#include "scripts/ScriptStore.h"

namespace velmo {

// Where the missing-data message sends the user: the site it names and the
// page it opens.
struct MissingDataPages {
  std::string downloadSite;
  std::string errorReport;
};

class Tdm1 {
 public:
  // `requestTerminate` asks the application to end once its message loop runs.
  Tdm1(const std::string& dataDir, MessageBoxes& boxes, Shell& shell,
       const MissingDataPages& pages, std::function<void()> requestTerminate);

  ScriptStore con1;

 private:
  void DataModuleCreate(const std::string& dataDir, MessageBoxes& boxes, Shell& shell,
                        const MissingDataPages& pages,
                        const std::function<void()>& requestTerminate);
};

}  // namespace velmo
