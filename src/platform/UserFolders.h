// The folders the system names for a user's own files, found at start. Where
// they are chosen for an installed copy is the settings' rule.
#pragma once

#include <string>

namespace velmo {

struct UserFolders {
  bool windows = false;
  // Windows: the user's roaming application data folder (%APPDATA%), with its
  // trailing separator.
  std::string appData;
  // Elsewhere: $XDG_CONFIG_HOME, $XDG_DATA_HOME and $HOME as set.
  std::string xdgConfigHome;
  std::string xdgDataHome;
  std::string home;
};

// The folders of the user running the program; a text is empty where the
// system names none. Windows is asked through its shell, never through the
// environment.
UserFolders FindUserFolders();

}  // namespace velmo
