// The text file that carries scripts from one machine to another (导出 and
// 导入 on the script page, `velmo --export` and `velmo --import`). UTF-8, one
// line per item, one block per script, readable and editable by a person:
//
//   velmo-scripts 1
//
//   [script]
//   name=三个点
//   hotkey=Ctrl+F5
//   loops=1
//   point=100,100,左键单击,20
//   point=200,150,右键单击,20
//
// The first line names the format and its version. A block starts with
// "[script]" and holds name, hotkey and loops once each, and one point line
// per entry of the stored point list, in order (x, y, action and pause in
// milliseconds, as the list holds them). Blank lines and lines starting with
// "#" are skipped; lines may end in CRLF; a leading byte-order mark is
// skipped. A value is everything after the first "=", blanks included; a
// backslash, a line feed and a carriage return in a value are written "\\",
// "\n" and "\r".
#pragma once

#include <string>
#include <vector>

#include "common/Errors.h"
#include "scripts/ScriptStore.h"

namespace velmo {

inline constexpr const char* kScriptFileHeader = "velmo-scripts 1";

// A file that is not a script file as above: the first line that is wrong
// and what is wrong with it.
class ScriptFileError : public AppError {
 public:
  ScriptFileError(int line, const std::string& problem);
  int line;
};

// The file text of `scripts` (their ids are not written). A stored point
// list whose text does not end in "|" loses its unclosed tail, which the
// runner never reads either.
std::string WriteScriptFile(const std::vector<ScriptRecord>& scripts);

// The scripts of a file, ids empty, each field as the store holds it.
// Refuses the whole file at its first wrong line: a wrong first line, text
// that is not UTF-8, anything but "[script]" before the first block, a line
// without "=", an unknown or repeated item, an unknown escape, a "|" in a
// point, an empty name or hotkey, a loop count that the editors would refuse
// (not digits, or "0"), or a block without its name, hotkey or loops.
std::vector<ScriptRecord> ReadScriptFile(const std::string& text);

}  // namespace velmo
