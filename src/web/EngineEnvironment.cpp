#include "web/EngineEnvironment.h"

#include <dirent.h>

#include <cstdlib>
#include <memory>

namespace velmo {

ScopedEnvironment::ScopedEnvironment(
    const std::vector<std::pair<std::string, std::string>>& settings) {
  for (const auto& [name, value] : settings) {
    if (std::getenv(name.c_str())) continue;
    if (setenv(name.c_str(), value.c_str(), 0) == 0) setHere_.push_back(name);
  }
}

ScopedEnvironment::~ScopedEnvironment() {
  for (const std::string& name : setHere_) unsetenv(name.c_str());
}

namespace {

// The graphics device WebKit would find: the first render node, by name.
// A machine without one gets the name the first one would have; WebKit opens
// it only for GPU buffers, which pages drawn on the CPU never ask for.
std::string RenderNode(const std::string& folder) {
  std::string first;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  while (dir) {
    const dirent* entry = readdir(dir.get());
    if (!entry) break;
    const std::string name = entry->d_name;
    if (name.rfind("renderD", 0) == 0 && (first.empty() || name < first)) first = name;
  }
  return folder + "/" + (first.empty() ? "renderD128" : first);
}

}  // namespace

std::vector<std::pair<std::string, std::string>> QuietEngineSettings(
    const std::string& deviceFolder) {
  return {
      // The pages are small and still: drawn without compositing layers they
      // need no GPU buffers, which cost the web-content process more than the
      // pages do.
      {"WEBKIT_DISABLE_COMPOSITING_MODE", "1"},
      // Without layers there is nothing to hand over in DMA buffers; asking
      // what could be handed over opens a GL display in the program.
      {"WEBKIT_DISABLE_DMABUF_RENDERER", "1"},
      // Named here, the device is not looked up through a GL display either.
      // A GL display loads the graphics driver (with Mesa, LLVM too: about
      // 45 MB) into the program for nothing it draws.
      {"WEBKIT_WEB_RENDER_DEVICE_FILE", RenderNode(deviceFolder)},
  };
}

}  // namespace velmo
