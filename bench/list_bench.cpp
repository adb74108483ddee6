// LoadScriptList of 10,000 scripts into the real script list (a wx window on
// the fake platform; needs a display). Prints the time; asserts nothing.
#include <wx/wx.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "MakeDataFile.h"
#include "app/U_Main.h"
#include "fakes/FakePlatform.h"

namespace {

std::string pointList(int points) {
  std::string text;
  for (int i = 0; i < points; ++i) text += std::to_string(i) + "," + std::to_string(i) + ",左键单击,20|";
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return 2;
  const auto dir = std::filesystem::temp_directory_path() / "velmo-list-bench";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string folder = dir.string() + "/";
  std::string error;
  if (!velmo::MakeDataFile(folder + "data.db", VELMO_SCHEMA_FILE, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  {
    velmo::fake::FakePlatform p;
    velmo::Tdm1 dm1(folder, p.boxes, p.shell, velmo::MissingDataPages{}, [] {});
    const std::string points = pointList(20);
    for (int i = 0; i < 10000; ++i)
      dm1.con1.Insert("脚本" + std::to_string(i), "Ctrl+F5", points, "1");
    auto* main = new velmo::TFrm_Main(p.platform, velmo::PortableFolders(folder));
    main->useDataModule(dm1);
    for (int round = 1; round <= 3; ++round) {
      const auto start = std::chrono::steady_clock::now();
      main->LoadScriptList();
      const double ms =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      std::printf("LoadScriptList: %d scripts into lv2, round %d: %.1f ms\n",
                  main->scriptList().rowCount(), round, ms);
    }
    main->Destroy();
    wxTheApp->ProcessIdle();
  }
  std::filesystem::remove_all(dir);
  wxEntryCleanup();
  return 0;
}
