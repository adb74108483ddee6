#include "scripts/ScriptEditing.h"

#include "hotkeys/HotkeyText.h"

namespace velmo {

namespace {

std::optional<EditorRefusal> checkFields(const ScriptDraft& draft, EditorMode mode,
                                         ScriptStore& store) {
  // Only the single character "0" is refused: "00" and "007" are written as typed.
  if (draft.loopCount.empty() || draft.loopCount == "0")
    return EditorRefusal{"请输入循环点击次数。", EditorField::LoopCount};
  if (draft.name.empty()) return EditorRefusal{"请输入多坐标点击的名称.", EditorField::Name};
  // The modify dialog finds its row by the name, so only a new name is looked up.
  if (mode == EditorMode::Insert && store.NameExists(draft.name))
    return EditorRefusal{"名称重复,请选择过其他的名称.", EditorField::Name};
  return std::nullopt;
}

}  // namespace

std::optional<EditorRefusal> SaveScript(const ScriptDraft& draft, EditorMode mode,
                                        ScriptStore& store) {
  if (auto refusal = checkFields(draft, mode, store)) return refusal;
  const std::string hotkey = CombineHotkeyText(draft.modifier, draft.key);
  const std::string points = EncodePointList(draft.points);
  if (mode == EditorMode::Insert) store.Insert(draft.name, hotkey, points, draft.loopCount);
  else store.Update(draft.name, hotkey, points, draft.loopCount);
  return std::nullopt;
}

std::optional<int> MoveTarget(int selected, int rowCount, int step) {
  const int target = selected + step;
  if (selected < 0 || selected >= rowCount || target < 0 || target >= rowCount) return std::nullopt;
  return target;
}

}  // namespace velmo
