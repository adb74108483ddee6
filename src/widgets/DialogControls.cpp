#include "widgets/DialogControls.h"

#include "scripts/PointEditing.h"

#include <wx/bookctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/KeyFilters.h"
#include "common/TextRoom.h"
#include "hotkeys/HotkeyText.h"
#include "widgets/WxText.h"

namespace velmo {

namespace {
constexpr int kFieldHeight = 21;
constexpr int kTextGap = 2;

ControlBox::Kind KindOf(wxWindow* control) {
  if (dynamic_cast<wxStaticText*>(control)) return ControlBox::Text;
  if (dynamic_cast<wxStaticBox*>(control) || dynamic_cast<wxBookCtrlBase*>(control) ||
      dynamic_cast<wxPanel*>(control))
    return ControlBox::Frame;
  return ControlBox::Other;
}
}  // namespace

wxComboBox* ComboAt(wxWindow* parent, wxPoint at, int width,
                    std::initializer_list<const char*> items, const char* initial) {
  wxArrayString choices;
  for (const char* item : items) choices.Add(FromUtf8(item));
  return new wxComboBox(parent, wxID_ANY, FromUtf8(initial), at,
                        wxSize(width, kFieldHeight), choices, wxCB_DROPDOWN);
}

wxStaticText* LabelAt(wxWindow* parent, wxPoint at, const char* text) {
  return new wxStaticText(parent, wxID_ANY, FromUtf8(text), at);
}

wxButton* ButtonAt(wxWindow* parent, wxPoint at, wxSize size, const char* caption) {
  return new wxButton(parent, wxID_ANY, FromUtf8(caption), at, size);
}

wxTextCtrl* EditAt(wxWindow* parent, wxPoint at, int width, long style) {
  return new wxTextCtrl(parent, wxID_ANY, "", at, wxSize(width, kFieldHeight), style);
}

void WrapAnywhere(wxStaticText* label, int width) {
  // Measured as the label itself shows the text: GTK draws it a little wider
  // than GetTextExtent says.
  const auto fits = [label](const wxString& text, int room) {
    label->SetLabel(text);
    return label->GetBestSize().x <= room;
  };
  // The lines of one paragraph, each the longest head that fits `room`.
  const auto lines = [&fits](wxString rest, int room) {
    std::vector<wxString> out;
    while (rest.length() > 1 && !fits(rest, room)) {
      // The longest head that fits, at least one character.
      size_t low = 1, high = rest.length() - 1;
      while (low < high) {
        const size_t mid = (low + high + 1) / 2;
        if (fits(rest.Left(mid), room)) low = mid;
        else high = mid - 1;
      }
      const size_t end = LineBreakAt(rest.ToStdWstring(), low);
      out.push_back(rest.Left(end));
      rest = rest.Mid(end);
    }
    out.push_back(rest);
    return out;
  };
  wxString wrapped;
  for (const wxString& paragraph : wxSplit(label->GetLabel(), '\n', '\0')) {
    std::vector<wxString> broken = lines(paragraph, width);
    // As narrow as the same number of lines allows, so the last line is not
    // left with a character or two of its own.
    int low = width / static_cast<int>(broken.size()), high = width;
    while (broken.size() > 1 && low < high) {
      const int mid = (low + high) / 2;
      if (lines(paragraph, mid).size() == broken.size()) high = mid;
      else low = mid + 1;
    }
    if (broken.size() > 1) broken = lines(paragraph, high);
    for (const wxString& line : broken) wrapped << line << '\n';
  }
  wrapped.RemoveLast();
  label->SetLabel(wrapped);
}

namespace {

// The size of a book's pages, before the book is shown too: GTK sizes them
// only then.
wxSize PageSize(const wxBookCtrlBase* book) {
  const wxSize size = book->GetSize();
  return size + size - book->CalcSizeFromPage(size);
}

// The height `control` needs: a panel what its controls need, a book what
// those of its fullest page need; any other control the height it has.
int HeightFor(wxWindow* control) {
  if (auto* book = dynamic_cast<wxBookCtrlBase*>(control)) {
    const wxSize page = PageSize(book);
    int needed = 0;
    for (size_t i = 0; i < book->GetPageCount(); ++i)
      needed = std::max(needed, FitTexts(book->GetPage(i), page) - page.y);
    return control->GetSize().y + needed;
  }
  if (dynamic_cast<wxPanel*>(control)) return FitTexts(control);
  return control->GetSize().y;
}

}  // namespace

int FitTexts(wxWindow* window, wxSize size) {
  if (size == wxDefaultSize) size = window->GetClientSize();
  std::vector<wxWindow*> controls;
  std::vector<ControlBox> boxes;
  for (wxWindow* control : window->GetChildren()) {
    // A frame's status bar stands below its client area.
    if (control->IsTopLevel() || dynamic_cast<wxStatusBar*>(control)) continue;
    const wxRect r = control->GetRect();
    controls.push_back(control);
    boxes.push_back({r.x, r.y, r.width, r.height, KindOf(control)});
  }
  const std::vector<Placement> placed = MakeRoomForText(boxes, size.x, kTextGap);
  std::vector<int> heights;
  for (size_t i = 0; i < controls.size(); ++i) {
    if (placed[i].wrapWidth > 0)
      WrapAnywhere(static_cast<wxStaticText*>(controls[i]), placed[i].wrapWidth);
    if (placed[i].left != boxes[i].left) controls[i]->Move(placed[i].left, boxes[i].top);
    boxes[i].left = placed[i].left;
    boxes[i].width = controls[i]->GetSize().x;
    heights.push_back(HeightFor(controls[i]));
  }
  const Stacking stacked = MakeRoomBelow(boxes, heights, size.y, kTextGap);
  for (size_t i = 0; i < controls.size(); ++i) {
    if (stacked.tops[i] != boxes[i].top || stacked.heights[i] != boxes[i].height)
      controls[i]->SetSize(boxes[i].left, stacked.tops[i], boxes[i].width, stacked.heights[i]);
  }
  return stacked.parentHeight;
}

HotkeyCombos HotkeyCombosAt(wxWindow* parent, wxPoint at, int modifierWidth,
                            const char* initialKey) {
  HotkeyCombos combos;
  combos.modifier =
      ComboAt(parent, at, modifierWidth, {"Ctrl", "Alt", "Ctrl+Alt", "无"}, "Ctrl");
  combos.plus = LabelAt(parent, wxPoint(at.x + modifierWidth + 4, at.y + 3), "十");
  combos.key =
      ComboAt(parent, wxPoint(at.x + modifierWidth + 20, at.y), 60, kFunctionKeys, initialKey);
  return combos;
}

void ShowComboText(wxComboBox* combo, const std::string& text) {
  const wxString shown = FromUtf8(text);
  const int item = combo->FindString(shown, true);
  if (item != wxNOT_FOUND) {
    combo->SetSelection(item);
    return;
  }
  combo->SetSelection(wxNOT_FOUND);
  combo->SetValue(shown);
}

void ShowHotkeyFields(const HotkeyFields& fields, wxComboBox* modifier, wxComboBox* key) {
  if (!fields.modifier.empty()) ShowComboText(modifier, fields.modifier);
  ShowComboText(key, fields.key);
}

void SpaceSelectsFocusedRow(wxListCtrl* list) {
  list->Bind(wxEVT_KEY_DOWN, [list](wxKeyEvent& event) {
    const long row = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    if (event.GetKeyCode() != WXK_SPACE || event.HasAnyModifiers() || row < 0) {
      event.Skip();
      return;
    }
    list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  });
}

void FilterTyping(wxTextCtrl* edit, bool (*filter)(int), size_t limit) {
  // The text before a change that was not typed: taken whenever a paste or a
  // drop may follow, since the program's own ChangeValue sends no event.
  auto before = std::make_shared<std::wstring>();
  const auto remember = [edit, before](auto& event) {
    *before = edit->GetValue().ToStdWstring();
    event.Skip();
  };
  edit->Bind(wxEVT_SET_FOCUS, remember);
  edit->Bind(wxEVT_MIDDLE_DOWN, remember);
  edit->Bind(wxEVT_CHAR, [edit, filter, limit, remember](wxKeyEvent& event) {
    const int ch = static_cast<int>(event.GetUnicodeKey());
    long from = 0, to = 0;
    edit->GetSelection(&from, &to);
    const size_t remaining = edit->GetValue().length() - static_cast<size_t>(to - from);
    if (!TypedCharacter(ch, event.ControlDown(), event.AltDown()) ||
        TypedCharAccepted(ch, filter, remaining, limit))
      remember(event);
  });
  edit->Bind(wxEVT_TEXT, [edit, filter, limit, before](wxCommandEvent& event) {
    const std::wstring now = edit->GetValue().ToStdWstring();
    const std::wstring kept = KeptAfterChange(*before, now, filter, limit);
    if (kept != now) {
      edit->ChangeValue(kept);
      edit->SetInsertionPointEnd();
    }
    *before = kept;
    event.Skip();
  });
}

}  // namespace velmo
