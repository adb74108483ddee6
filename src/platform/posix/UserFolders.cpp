#include "platform/UserFolders.h"

#include <cstdlib>

namespace velmo {

namespace {

std::string env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

UserFolders FindUserFolders() {
  UserFolders folders;
  folders.xdgConfigHome = env("XDG_CONFIG_HOME");
  folders.xdgDataHome = env("XDG_DATA_HOME");
  folders.home = env("HOME");
  return folders;
}

}  // namespace velmo
