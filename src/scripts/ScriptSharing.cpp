#include "scripts/ScriptSharing.h"

#include <algorithm>

#include "common/Errors.h"
#include "platform/FileAccess.h"
#include "scripts/ScriptFile.h"

namespace velmo {

std::string UniqueName(const std::string& name, const std::set<std::string>& taken) {
  std::string candidate = name;
  for (int n = 2; taken.count(candidate); ++n) candidate = name + "(" + std::to_string(n) + ")";
  return candidate;
}

std::vector<ScriptRecord> ScriptsToExport(ScriptStore& store,
                                          const std::vector<std::string>& names) {
  std::vector<ScriptRecord> all = store.SelectAll();
  if (names.empty()) return all;
  for (const std::string& name : names) {
    if (std::none_of(all.begin(), all.end(), [&](const ScriptRecord& s) { return s.name == name; }))
      throw AppError("没有名为“" + name + "”的脚本.");
  }
  std::erase_if(all, [&](const ScriptRecord& s) {
    return std::find(names.begin(), names.end(), s.name) == names.end();
  });
  return all;
}

std::vector<std::string> ImportScripts(ScriptStore& store, const std::string& text) {
  std::vector<ScriptRecord> scripts = ReadScriptFile(text);
  std::set<std::string> taken;
  for (const ScriptRecord& stored : store.SelectAll()) taken.insert(stored.name);
  std::vector<std::string> names;
  for (ScriptRecord& s : scripts) {
    s.name = UniqueName(s.name, taken);
    taken.insert(s.name);
    names.push_back(s.name);
  }
  store.InsertAll(scripts);
  return names;
}

size_t ExportToFile(ScriptStore& store, const std::vector<std::string>& names,
                    const std::string& path) {
  const std::vector<ScriptRecord> scripts = ScriptsToExport(store, names);
  ReplaceFile(path, WriteScriptFile(scripts));
  return scripts.size();
}

std::vector<std::string> ImportFromFile(ScriptStore& store, const std::string& path) {
  const std::optional<FileContents> file = ReadWholeFile(path);
  if (!file) throw AppError("无法读取文件 " + path + ".");
  return ImportScripts(store, file->bytes);
}

std::string ExportedText(size_t count, const std::string& path) {
  return "已导出 " + std::to_string(count) + " 个脚本到 " + path + ".";
}

std::string ImportedText(const std::vector<std::string>& names) {
  std::string text = "已导入 " + std::to_string(names.size()) + " 个脚本";
  for (size_t i = 0; i < names.size(); ++i) text += (i == 0 ? ": " : ", ") + names[i];
  return text + ".";
}

std::string RefusedFileText(const std::string& path, const std::string& problem) {
  return "文件 " + path + " 不是正确的脚本文件, 没有导入任何脚本.\n" + problem;
}

}  // namespace velmo
