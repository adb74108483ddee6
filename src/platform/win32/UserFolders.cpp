#include "platform/UserFolders.h"

#include <windows.h>
// After <windows.h>, which they need.
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/win32/WideText.h"

namespace velmo {

UserFolders FindUserFolders() {
  UserFolders folders;
  folders.windows = true;
  wchar_t* path = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &path))) {
    folders.appData = win32::Narrow(path) + "\\";
  }
  CoTaskMemFree(path);
  return folders;
}

}  // namespace velmo
