// Which typed characters the digit-only edits let through.
#pragma once

namespace velmo {

// Backspace and "0" to "9".
inline bool DigitKeyAccepted(int ch) { return ch == 8 || (ch >= '0' && ch <= '9'); }
// The coordinate field of the add-point dialogs also takes the comma.
inline bool CoordinateKeyAccepted(int ch) { return DigitKeyAccepted(ch) || ch == ','; }

}  // namespace velmo
