// What every fuzz target shares: a failed property stops the run with the
// input libFuzzer saves, and the input cut into fields.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#define FUZZ_CHECK(condition)                                                        \
  do {                                                                               \
    if (!(condition)) {                                                              \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                  \
    }                                                                                \
  } while (0)

namespace velmo::fuzz {

// Characters as a reader counts them: UTF-8 continuation bytes add none.
inline size_t Chars(const std::string& text) {
  size_t n = 0;
  for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

inline std::string Text(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input split at NUL bytes, so one input can carry several texts.
inline std::vector<std::string> Fields(const std::string& input) {
  std::vector<std::string> fields(1);
  for (const char c : input) {
    if (c == '\0') fields.emplace_back();
    else fields.back() += c;
  }
  return fields;
}

}  // namespace velmo::fuzz
