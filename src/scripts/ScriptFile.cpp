#include "scripts/ScriptFile.h"

#include <algorithm>
#include <optional>

#include "common/TextLines.h"
#include "common/Utf8.h"

namespace velmo {

namespace {

constexpr const char* kBlockStart = "[script]";
constexpr const char* kBom = "\xEF\xBB\xBF";

std::string escape(const std::string& value) {
  std::string out;
  for (char c : value) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out;
}

std::string unescape(const std::string& value, int line) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\') {
      out += value[i];
      continue;
    }
    const char next = i + 1 < value.size() ? value[++i] : '\0';
    if (next == '\\') out += '\\';
    else if (next == 'n') out += '\n';
    else if (next == 'r') out += '\r';
    else throw ScriptFileError(line, "“\\”后面只能是“\\”、“n”或“r”");
  }
  return out;
}

bool isLoopCount(const std::string& text) {
  return !text.empty() && text != "0" &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One block as it is read, with the line that started it.
struct Block {
  int line = 0;
  ScriptRecord script;
  bool hasName = false, hasHotkey = false, hasLoops = false;
};

void setOnce(bool& seen, std::string& field, const std::string& key, const std::string& value,
             int line) {
  if (seen) throw ScriptFileError(line, "“" + key + "”在一个脚本中出现了两次");
  if (value.empty()) throw ScriptFileError(line, "“" + key + "”不能为空");
  seen = true;
  field = value;
}

void readItem(Block& block, const std::string& text, int line) {
  const size_t eq = text.find('=');
  if (eq == std::string::npos) throw ScriptFileError(line, "缺少“=”");
  const std::string key = text.substr(0, eq);
  const std::string value = unescape(text.substr(eq + 1), line);
  ScriptRecord& s = block.script;
  if (key == "point") {
    if (value.find('|') != std::string::npos) throw ScriptFileError(line, "坐标点中不能含有“|”");
    s.points += value + "|";
  } else if (key == "name") {
    setOnce(block.hasName, s.name, key, value, line);
  } else if (key == "hotkey") {
    setOnce(block.hasHotkey, s.hotkey, key, value, line);
  } else if (key == "loops") {
    if (!isLoopCount(value)) throw ScriptFileError(line, "“loops”必须是不为0的数字");
    setOnce(block.hasLoops, s.clicknum, key, value, line);
  } else {
    throw ScriptFileError(line, "未知的项目“" + key + "”");
  }
}

ScriptRecord finished(const Block& block) {
  for (const auto& [has, key] : {std::pair{block.hasName, "name"}, std::pair{block.hasHotkey, "hotkey"},
                                 std::pair{block.hasLoops, "loops"}}) {
    if (!has) throw ScriptFileError(block.line, std::string("这个脚本缺少“") + key + "”");
  }
  return block.script;
}

}  // namespace

ScriptFileError::ScriptFileError(int line, const std::string& problem)
    : AppError("第" + std::to_string(line) + "行: " + problem), line(line) {}

std::string WriteScriptFile(const std::vector<ScriptRecord>& scripts) {
  std::string text = std::string(kScriptFileHeader) + "\n";
  for (const ScriptRecord& s : scripts) {
    text += std::string("\n") + kBlockStart + "\nname=" + escape(s.name) + "\nhotkey=" +
            escape(s.hotkey) + "\nloops=" + escape(s.clicknum) + "\n";
    for (size_t start = 0, bar; (bar = s.points.find('|', start)) != std::string::npos;
         start = bar + 1)
      text += "point=" + escape(s.points.substr(start, bar - start)) + "\n";
  }
  return text;
}

std::vector<ScriptRecord> ReadScriptFile(const std::string& text) {
  const std::vector<std::string> lines =
      SplitLines(text.rfind(kBom, 0) == 0 ? text.substr(3) : text);
  if (lines.empty() || lines.front() != kScriptFileHeader)
    throw ScriptFileError(1, std::string("这不是脚本文件: 第一行应是“") + kScriptFileHeader + "”");
  std::vector<ScriptRecord> scripts;
  std::optional<Block> block;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const int number = static_cast<int>(i) + 1;
    if (!IsValidUtf8(line)) throw ScriptFileError(number, "不是UTF-8文字");
    if (line.empty() || line[0] == '#') continue;
    if (line == kBlockStart) {
      if (block) scripts.push_back(finished(*block));
      block = Block{number, {}};
    } else if (!block) {
      throw ScriptFileError(number, std::string("第一个“") + kBlockStart + "”之前不能有内容");
    } else {
      readItem(*block, line, number);
    }
  }
  if (block) scripts.push_back(finished(*block));
  return scripts;
}

}  // namespace velmo
