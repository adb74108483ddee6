// A hotkey as the dialogs show it, in a modifier field and a key field, and
// the stop hotkey as the stop-hotkey dialog loads and stores it (key
// "stophotkey" of section "setting", in the combined text form).
#pragma once

#include <optional>
#include <string>

#include "settings/ProfileFile.h"

namespace velmo {

// An empty modifier means the field keeps what it shows.
struct HotkeyFields {
  std::string modifier;
  std::string key;
};

// The fields for a combined text: ModifierFieldFor and KeyFieldFor.
HotkeyFields HotkeyFieldsFor(const std::string& hotkeyText);

// The fields for the stop hotkey in force: the stored text, or "F6" (no
// modifier) when none is stored, as the registration reads it.
HotkeyFields LoadStopHotkeyFields(const ProfileFile& file);

// Stores the combined text of the two fields, unchecked, except that the key
// cannot be empty: then nothing is written and the refusal message returns.
// A refused write raises AppError.
std::optional<std::string> SaveStopHotkey(ProfileFile& file, const HotkeyFields& fields);

}  // namespace velmo
