#include "scripts/PointEditing.h"

namespace velmo {

namespace {

bool has(const std::string& text, char c) { return text.find(c) != std::string::npos; }

// The list format joins fields with "," and closes entries with "|", with no
// escaping: these characters in a field would silently cut the stored script.
std::optional<PointRefusal> checkSeparators(const PointRow& point) {
  if (has(point.coordinate, '|'))
    return PointRefusal{"鼠标坐标中不能含有“|”字符,请重新输入.", PointField::Coordinate};
  if (has(point.action, '|') || has(point.action, ','))
    return PointRefusal{"点击事件中不能含有“,”或“|”字符,请重新输入.", PointField::Action};
  if (has(point.interval, '|') || has(point.interval, ','))
    return PointRefusal{"间隔时间中不能含有“,”或“|”字符,请重新输入.", PointField::Interval};
  return std::nullopt;
}

}  // namespace

std::optional<PointRefusal> CheckPoint(const PointRow& point, bool commaRequired) {
  if (point.coordinate.empty()) return PointRefusal{"请输入要点击的鼠标坐标位置", std::nullopt};
  if (commaRequired && !has(point.coordinate, ','))
    return PointRefusal{"鼠标坐标位置不正确,请输入像这样的坐标位置100,100",
                        PointField::Coordinate, true};
  return checkSeparators(point);
}

std::string CaptureText(CursorPoint at) {
  return std::to_string(at.x) + "," + std::to_string(at.y);
}

std::string ReadoutText(CursorPoint at, ReadoutStyle style) {
  if (style == ReadoutStyle::Labelled)
    return "当前坐标: X=" + std::to_string(at.x) + "  Y=" + std::to_string(at.y);
  return "当前坐标:" + CaptureText(at);
}

std::string CursorReadout(Mouse& mouse, ReadoutStyle style) {
  try {
    return ReadoutText(mouse.GetCursorPos(), style);
  } catch (const InputRefused&) {
    return kReadoutRefusedText;
  }
}

bool TypedCharAccepted(int ch, bool (*filter)(int), size_t lengthAfterSelection, size_t limit) {
  if (ch < 32) return true;
  if (filter && !filter(ch)) return false;
  return lengthAfterSelection < limit;
}

std::wstring KeptAfterChange(const std::wstring& before, const std::wstring& after,
                             bool (*filter)(int), size_t limit) {
  std::wstring kept;
  for (wchar_t ch : after) {
    if (!filter || filter(static_cast<int>(ch))) kept += ch;
  }
  return kept.size() > limit && kept.size() > before.size() ? before : kept;
}

}  // namespace velmo
