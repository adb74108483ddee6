// The rules of the point dialogs: what btn1 refuses, the texts made from the
// cursor position, and which typed characters the coordinate field takes.
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"
#include "scripts/PointList.h"

namespace velmo {

// F11 without modifier: KeyTextToVk("F11").
inline constexpr unsigned kCaptureKeyVk = 122;
// Characters the coordinate field takes from the keyboard.
inline constexpr size_t kCoordinateTypedLimit = 12;

enum class PointField { Coordinate, Action, Interval };

// A refused btn1: the message (warning icon), the field to focus if any, and
// whether the coordinate field is emptied first.
struct PointRefusal {
  std::string message;
  std::optional<PointField> focus;
  bool clearCoordinate = false;
};

// Refuses an empty coordinate; without a comma when `commaRequired`; and any
// text that would split the entry when the stored list is read back: a "|"
// in any field, a "," in the action or the interval. Everything else is
// taken as typed.
std::optional<PointRefusal> CheckPoint(const PointRow& point, bool commaRequired);

// The coordinate text a capture writes: x "," y.
std::string CaptureText(CursorPoint at);

// The live read-out: "当前坐标:x,y", or "当前坐标: X=x  Y=y" in the labelled form.
enum class ReadoutStyle { Compact, Labelled };
std::string ReadoutText(CursorPoint at, ReadoutStyle style);
// The read-out of the cursor now; kReadoutRefusedText while the system will
// not tell (a locked desktop), so a timer can try again at its next tick.
inline constexpr const char* kReadoutRefusedText = "当前坐标:读不到(桌面已锁定?)";
std::string CursorReadout(Mouse& mouse, ReadoutStyle style);

// Whether a typed character goes into an edit that will hold
// `lengthAfterSelection` characters once the selection it replaces is gone.
// Control characters (Backspace, Ctrl+V) add nothing and always go on; any
// other must pass `filter` when one is given and find room under `limit`.
bool TypedCharAccepted(int ch, bool (*filter)(int), size_t lengthAfterSelection, size_t limit);

// What an edit keeps after a change that was not typed (a paste by Ctrl+V or
// the middle button, a drop) turned its text from `before` into `after`: the
// characters `filter` refuses are dropped, and a change that would leave more
// than `limit` characters, and more than before, is refused (`before`).
std::wstring KeptAfterChange(const std::wstring& before, const std::wstring& after,
                             bool (*filter)(int), size_t limit);

}  // namespace velmo
