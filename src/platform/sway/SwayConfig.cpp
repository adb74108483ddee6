#include "platform/sway/SwayConfig.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

namespace velmo::sway {

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The keys of a combination in one spelling, whatever order and names it used.
std::set<std::string> Keys(const std::string& combination) {
  static const std::map<std::string, std::string> kSynonyms = {{"control", "ctrl"},
                                                               {"alt", "mod1"}};
  std::set<std::string> keys;
  std::stringstream parts(combination);
  for (std::string key; std::getline(parts, key, '+');) {
    key = Lower(key);
    const auto synonym = kSynonyms.find(key);
    keys.insert(synonym == kSynonyms.end() ? key : synonym->second);
  }
  return keys;
}

std::string Resolved(std::string text, const std::map<std::string, std::string>& variables) {
  for (const auto& [name, value] : variables) {
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at))
      text.replace(at, name.size(), value);
  }
  return text;
}

}  // namespace

bool ConfigBindsCombination(const std::string& config, const std::string& combination) {
  const std::set<std::string> wanted = Keys(combination);
  std::map<std::string, std::string> variables;
  std::stringstream lines(config);
  for (std::string line; std::getline(lines, line);) {
    std::stringstream words(line);
    std::string command;
    words >> command;
    if (command == "set") {
      std::string name, value;
      if (words >> name >> value && name.size() > 1 && name[0] == '$') variables[name] = value;
      continue;
    }
    if (command != "bindsym") continue;
    std::string keys;
    while (words >> keys && keys.rfind("--", 0) == 0) {
    }
    if (Keys(Resolved(keys, variables)) == wanted) return true;
  }
  return false;
}

}  // namespace velmo::sway
