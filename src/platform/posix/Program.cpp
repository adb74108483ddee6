#include "platform/Program.h"

#include <algorithm>
#include <filesystem>

#include "common/Errors.h"

namespace velmo {

std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) throw AppError("readlink /proc/self/exe failed: " + error.message());
  return exe.parent_path().string() + "/";
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return {argv + std::min(argc, 1), argv + argc};
}

}  // namespace velmo
