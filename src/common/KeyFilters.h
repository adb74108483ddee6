// Which typed characters the digit-only edits let through.
#pragma once

namespace velmo {

// Whether a key types a character that the edits' filters judge. Keys that
// type none (arrows, Delete), control characters (Tab, Backspace, Return,
// Escape) and Ctrl or Alt shortcuts (Ctrl+A/C/V/X, Alt mnemonics) go on to the
// toolkit untouched. Ctrl and Alt together are AltGr on Windows, which types
// characters, so those are judged.
inline bool TypedCharacter(int ch, bool ctrl, bool alt) { return ch >= 32 && ch != 127 && ctrl == alt; }

// "0" to "9".
inline bool DigitKeyAccepted(int ch) { return ch >= '0' && ch <= '9'; }
// The coordinate field of the add-point dialogs also takes the comma, and the
// minus of a point left of or above the primary screen (-1280,300).
inline bool CoordinateKeyAccepted(int ch) { return DigitKeyAccepted(ch) || ch == ',' || ch == '-'; }

}  // namespace velmo
