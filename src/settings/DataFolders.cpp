#include "settings/DataFolders.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "common/Errors.h"
#include "common/Utf8.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

// The XDG base folder `xdgValue`, or `home` + `fallback` when the variable is
// unset or relative (a relative value is invalid and ignored); with "velmo/".
std::string baseFolder(const std::string& xdgValue, const std::string& home,
                       const std::string& fallback) {
  std::string base = xdgValue;
  if (base.empty() || base.front() != '/') {
    if (home.empty()) throw AppError("HOME is not set: no folder for the settings and scripts");
    base = home + fallback;
  }
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + "/velmo/";
}

// Windows keeps every file of the program's user in one folder.
std::string windowsFolder(const std::string& appData) {
  if (appData.empty()) {
    throw AppError("Windows names no application data folder: no folder for the settings and scripts");
  }
  return appData + "Velmo\\";
}

// Creating a file is the one test that tells the truth for every user, mount
// and access list.
bool folderWritable(const std::string& dir) {
  const std::string probe = dir + ".velmo-probe-" + std::to_string(std::random_device()());
  if (!std::ofstream(Utf8Path(probe)).is_open()) return false;
  std::error_code ignored;
  fs::remove(Utf8Path(probe), ignored);
  return true;
}

// Missing folders are made readable by their owner only, as the XDG folders
// should be.
void makeFolder(const fs::path& dir) {
  std::error_code error;
  if (dir.empty() || fs::is_directory(dir, error)) return;
  if (dir.parent_path() != dir) makeFolder(dir.parent_path());
  if (!fs::create_directory(dir, error) && !fs::is_directory(dir)) {
    throw AppError("Unable to create " + dir.string() + ": " + error.message());
  }
  fs::permissions(dir, fs::perms::owner_all, error);
}

// Copies under a temporary name first, so that an interrupted copy never
// leaves a data.db that later starts would take for the user's.
void copyTemplate(const std::string& from, const std::string& to) {
  const fs::path target = Utf8Path(to);
  const fs::path partial = Utf8Path(to + ".part");
  std::error_code error;
  if (!fs::copy_file(Utf8Path(from), partial, fs::copy_options::overwrite_existing, error)) {
    fs::remove(partial, error);
    throw AppError("Unable to copy " + from + " to " + to);
  }
  if (fs::exists(target, error)) {
    fs::remove(partial, error);
    return;
  }
  fs::rename(partial, target, error);
  if (error) throw AppError("Unable to copy " + from + " to " + to + ": " + error.message());
}

}  // namespace

std::string TemplateFile(const std::string& exeDir, bool windows) {
  return exeDir + (windows ? "template\\data.db" : "../share/velmo/data.db");
}

DataFolders PortableFolders(const std::string& exeDir) {
  DataFolders folders;
  folders.settingsFile = exeDir + "setting.ini";
  folders.firstRunCopyFrom = "setting.ini";
  folders.firstRunCopyTo = "main.ini";
  folders.dataDir = exeDir;
  return folders;
}

DataFolders ChooseDataFolders(const StartPlace& place) {
  if (place.exeDirHoldsDataFile || (!place.templateExists && place.exeDirWritable)) {
    return PortableFolders(place.exeDir);
  }
  const UserFolders& user = place.user;
  DataFolders folders;
  folders.installed = true;
  const std::string config = user.windows ? windowsFolder(user.appData)
                                          : baseFolder(user.xdgConfigHome, user.home, "/.config");
  folders.settingsFile = config + "setting.ini";
  folders.firstRunCopyFrom = folders.settingsFile;
  folders.firstRunCopyTo = config + "main.ini";
  folders.dataDir =
      user.windows ? config : baseFolder(user.xdgDataHome, user.home, "/.local/share");
  folders.templateFile = TemplateFile(place.exeDir, user.windows);
  return folders;
}

StartPlace InspectStartPlace(const std::string& exeDir) {
  StartPlace place;
  place.exeDir = exeDir;
  place.user = FindUserFolders();
  std::error_code error;
  place.exeDirHoldsDataFile = fs::is_regular_file(Utf8Path(exeDir + "data.db"), error);
  place.templateExists =
      fs::is_regular_file(Utf8Path(TemplateFile(exeDir, place.user.windows)), error);
  if (!place.exeDirHoldsDataFile && !place.templateExists) {
    place.exeDirWritable = folderWritable(exeDir);
  }
  return place;
}

void PrepareDataFolders(const DataFolders& folders) {
  if (!folders.installed) return;
  makeFolder(Utf8Path(folders.settingsFile).parent_path());
  makeFolder(Utf8Path(folders.dataDir).parent_path());
  const std::string dataFile = folders.dataDir + "data.db";
  std::error_code error;
  if (fs::exists(Utf8Path(dataFile), error)) return;
  if (fs::is_regular_file(Utf8Path(folders.templateFile), error)) {
    copyTemplate(folders.templateFile, dataFile);
  }
}

}  // namespace velmo
