// The script file: any text is read or refused with a ScriptFileError and
// nothing else; what is read writes back to a file that reads the same; and
// scripts the program stores (UTF-8 texts, as its windows write them) come
// back from their file field for field.
// Input: a file text; or, after a NUL, a name, a hotkey, a loop count and a
// stored point list, each after a NUL.
#include "FuzzCheck.h"
#include "common/Utf8.h"
#include "scripts/ScriptFile.h"

namespace {

bool sameScripts(const std::vector<velmo::ScriptRecord>& a,
                 const std::vector<velmo::ScriptRecord>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].hotkey != b[i].hotkey || a[i].points != b[i].points ||
        a[i].clicknum != b[i].clicknum)
      return false;
  }
  return true;
}

bool loopCount(const std::string& s) {
  if (s.empty() || s == "0") return false;
  for (const char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmo;
  const auto fields = fuzz::Fields(fuzz::Text(data, size));
  try {
    const auto scripts = ReadScriptFile(fields[0]);
    FUZZ_CHECK(sameScripts(ReadScriptFile(WriteScriptFile(scripts)), scripts));
  } catch (const ScriptFileError& error) {
    FUZZ_CHECK(error.line >= 1);
  }
  if (fields.size() < 5) return 0;
  const ScriptRecord script{"", fields[1], fields[2], fields[4], fields[3]};
  const bool storable = IsValidUtf8(fields[1]) && IsValidUtf8(fields[2]) &&
                        IsValidUtf8(fields[3]) && IsValidUtf8(fields[4]) && !script.name.empty() && !script.hotkey.empty() &&
                        loopCount(script.clicknum) &&
                        (script.points.empty() || script.points.back() == '|');
  if (!storable) return 0;
  FUZZ_CHECK(sameScripts(ReadScriptFile(WriteScriptFile({script})), {script}));
  return 0;
}
