#include "system/TestFiles.h"

#include <random>
#include <stdexcept>

namespace velmo::testing {

std::filesystem::path MakeTempFolder(const std::string& prefix) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto path = std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
    if (std::filesystem::create_directory(path)) return path;
  }
  throw std::runtime_error("cannot make a temporary folder " + prefix);
}

}  // namespace velmo::testing
