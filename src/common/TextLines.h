// A text taken apart into its lines.
#pragma once

#include <string>
#include <vector>

namespace velmo {

// The lines of `text` without their line ends ("\n" or "\r\n"); a line end
// at the very end starts no further line.
inline std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace velmo
