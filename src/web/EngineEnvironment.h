// Environment settings that WebKit reads as it starts its processes. They are
// given to the program's own browsers only: set where the user has not set
// them, and put back as they were once the engine has read them, so that a
// program opened from Velmo (the browser for a link) starts as it would
// without it.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velmo {

class ScopedEnvironment {
 public:
  // Each (name, value) is set unless the environment already has the name.
  explicit ScopedEnvironment(const std::vector<std::pair<std::string, std::string>>& settings);
  ~ScopedEnvironment();  // removes the names it set
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::vector<std::string> setHere_;
};

// The settings for the program's browsers: pages drawn on the CPU without
// compositing layers, and no graphics display opened in the program itself.
// `deviceFolder` is where the system lists its graphics devices.
std::vector<std::pair<std::string, std::string>> QuietEngineSettings(
    const std::string& deviceFolder = "/dev/dri");

}  // namespace velmo
