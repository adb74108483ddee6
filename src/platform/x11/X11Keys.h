// Translation between the Win32 key vocabulary of the hotkey interface and
// X key symbols and modifier masks.
#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <vector>

namespace velmo::x11 {

// The key symbol of a Win32 virtual-key code, NoSymbol for codes without one
// here. Letters give the lower-case symbol, the one on the key's first level.
KeySym VirtualKeyToKeySym(unsigned vk);

// X modifier mask of kModAlt / kModControl flags; nothing for other bits.
std::optional<unsigned> ModifiersToMask(unsigned modifiers);

// The masks of CapsLock, NumLock and ScrollLock on this keyboard, or nothing
// when the modifier map cannot be read.
std::optional<unsigned> ReadLockMasks(Display* display);

// Every combination of the lock bits in `locks`, starting with none: a grab
// has to be made once per combination to work whatever locks are on.
std::vector<unsigned> LockCombinations(unsigned locks);

}  // namespace velmo::x11
