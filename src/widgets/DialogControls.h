// Control building for the script dialogs at the positions the layout gives,
// and the typed-character filter of their edits.
#pragma once

#include <wx/listctrl.h>
#include <wx/wx.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "scripts/HotkeyFields.h"

namespace velmo {

// Editable drop-down lists: the logic takes whatever text stands in them.
wxComboBox* ComboAt(wxWindow* parent, wxPoint at, int width,
                    std::initializer_list<const char*> items, const char* initial);
wxStaticText* LabelAt(wxWindow* parent, wxPoint at, const char* text);
wxButton* ButtonAt(wxWindow* parent, wxPoint at, wxSize size, const char* caption);
wxTextCtrl* EditAt(wxWindow* parent, wxPoint at, int width, long style = 0);

// Breaks the label's lines to `width` pixels between any two characters
// (LineBreakAt keeps punctuation with its neighbour): wxStaticText::Wrap
// breaks only at blanks, and Chinese text has none. A line that needs
// breaking is broken into as few lines as `width` allows, made as even as
// they can be, so no line is left with a character or two.
void WrapAnywhere(wxStaticText* label, int width);

// Makes room for texts a larger font made wider or, once their lines broke,
// taller than the layout planned for, in `window` and in the panels and pages
// standing on it (MakeRoomForText, MakeRoomBelow). `size` is the window's
// client size when it is not settled yet. Returns the client height the
// window needs to hold its controls; growing the window is the caller's.
int FitTexts(wxWindow* window, wxSize size = wxDefaultSize);

// The modifier and key lists of a hotkey, with the "十" between them; the
// modifier list is `modifierWidth` wide and the key list 60.
struct HotkeyCombos {
  wxComboBox* modifier;
  wxStaticText* plus;
  wxComboBox* key;
};
HotkeyCombos HotkeyCombosAt(wxWindow* parent, wxPoint at, int modifierWidth,
                            const char* initialKey);

// Puts `text` into an editable list and highlights the item it matches, or
// none: SetValue alone leaves the drop-down highlighting whatever was chosen
// before, beside a text that says otherwise.
void ShowComboText(wxComboBox* combo, const std::string& text);

// Writes a hotkey's fields; an empty modifier leaves its list as it is.
void ShowHotkeyFields(const HotkeyFields& fields, wxComboBox* modifier, wxComboBox* key);

// Space selects the row that has the keyboard focus, as in Windows lists. The
// generic list of GTK takes Space as a double click instead, and its arrow
// keys cannot select the focused row of a one-row list.
void SpaceSelectsFocusedRow(wxListCtrl* list);

// Lets typed characters into `edit` while `filter` (when given) accepts them
// and fewer than `limit` characters stand there; navigation, control keys and
// shortcuts go on to the toolkit. Pasted or dropped text is held to the same
// rules (KeptAfterChange). Text set by the program is not limited.
void FilterTyping(wxTextCtrl* edit, bool (*filter)(int), size_t limit = SIZE_MAX);

}  // namespace velmo
