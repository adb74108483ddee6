// The rules of the script editor dialogs: the checks made on OK, in their
// order, the write of the script, and where a moved point goes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scripts/PointList.h"
#include "scripts/ScriptStore.h"

namespace velmo {

// The add dialog inserts a new row; the modify dialog updates the row that
// bears the name.
enum class EditorMode { Insert, Update };

// What an editor holds when OK is pressed, every field as displayed.
struct ScriptDraft {
  std::string name;
  std::string modifier;  // "Ctrl", "Alt", "Ctrl+Alt", "无" or typed text
  std::string key;       // "F1".."F12" or typed text
  std::string loopCount;
  std::vector<PointRow> points;
};

enum class EditorField { LoopCount, Name };

// A refused OK: the message to show and the field that gets the focus.
struct EditorRefusal {
  std::string message;
  EditorField focus;
};

// Checks the loop count, then the name, then (insert only) that the name is
// not stored yet, and writes the script. Returns the first refusal, with
// nothing written; nullopt once the row is written. Store failures raise
// AppError.
std::optional<EditorRefusal> SaveScript(const ScriptDraft& draft, EditorMode mode,
                                        ScriptStore& store);

// The row that the selected point moves to: one up (step -1) or one down
// (step +1). Nothing when no row is selected or the point is at that end.
std::optional<int> MoveTarget(int selected, int rowCount, int step);

}  // namespace velmo
