// Where setting.ini and data.db live. A portable copy keeps them beside the
// executable, as it always has. An installed copy keeps its settings in
// $XDG_CONFIG_HOME/velmo/ and its scripts in $XDG_DATA_HOME/velmo/data.db, and
// its first start copies there the empty data.db packaged in ../share/velmo/
// (relative to the executable, so an unpacked package runs where it lies).
// On Windows an installed copy keeps all three files in %APPDATA%\Velmo\ and
// finds the empty data.db in template\ beside the executable.
#pragma once

#include <string>

#include "platform/UserFolders.h"

namespace velmo {

struct DataFolders {
  bool installed = false;
  std::string settingsFile;  // setting.ini
  // main.ini, the first-run copy of setting.ini that nothing reads. A portable
  // copy makes it in the working directory, as it always has.
  std::string firstRunCopyFrom;
  std::string firstRunCopyTo;
  std::string dataDir;       // data.db's folder, with its trailing separator
  std::string templateFile;  // installed copies: the packaged empty data.db
};

// What the choice rests on, found at start.
struct StartPlace {
  std::string exeDir;  // with its trailing separator
  bool exeDirHoldsDataFile = false;
  bool templateExists = false;
  bool exeDirWritable = false;  // looked at only when neither of the above holds
  UserFolders user;
};

// The packaged empty data.db of a program in `exeDir`.
std::string TemplateFile(const std::string& exeDir, bool windows);

DataFolders PortableFolders(const std::string& exeDir);

// data.db beside the executable makes a portable copy. Otherwise a packaged
// template makes an installed copy, even in a folder its user may write (root,
// or a prefix in the user's home). Without either, a writable folder is a
// portable copy that lost its data.db, and the data module says so; a folder
// its user may not write takes the user's folders, as an installed copy does.
// Throws AppError when an installed copy has no folder of the user's for its
// files.
DataFolders ChooseDataFolders(const StartPlace& place);

// Looks at the files beside `exeDir` and at the user's folders.
StartPlace InspectStartPlace(const std::string& exeDir);

// For an installed copy: makes its two folders and, when data.db is missing,
// copies the template there. Never replaces a file. A missing template is left
// to the data module's missing-file report. Throws AppError naming what failed.
void PrepareDataFolders(const DataFolders& folders);

}  // namespace velmo
