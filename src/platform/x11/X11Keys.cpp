#include "platform/x11/X11Keys.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include "platform/Platform.h"

namespace velmo::x11 {

namespace {

// Contiguous runs of the virtual-key table.
struct KeyRun {
  unsigned firstVk;
  unsigned lastVk;
  KeySym firstSym;
};
constexpr KeyRun kRuns[] = {
    {'0', '9', XK_0},
    {'A', 'Z', XK_a},
    {96, 105, XK_KP_0},  // VK_NUMPAD0..VK_NUMPAD9
    {112, 135, XK_F1},   // VK_F1..VK_F24
};

struct KeyPair {
  unsigned vk;
  KeySym sym;
};
constexpr KeyPair kSingles[] = {
    {9, XK_Tab},           {13, XK_Return},     {27, XK_Escape},        {32, XK_space},
    {106, XK_KP_Multiply}, {107, XK_KP_Add},    {108, XK_KP_Separator}, {109, XK_KP_Subtract},
    {110, XK_KP_Decimal},  {111, XK_KP_Divide},
};

unsigned MaskOfKeySym(const XModifierKeymap& map, Display* display, KeySym sym) {
  for (int modifier = 0; modifier < 8; ++modifier) {
    for (int k = 0; k < map.max_keypermod; ++k) {
      const KeyCode code = map.modifiermap[modifier * map.max_keypermod + k];
      if (code != 0 && XkbKeycodeToKeysym(display, code, 0, 0) == sym) return 1u << modifier;
    }
  }
  return 0;
}

}  // namespace

KeySym VirtualKeyToKeySym(unsigned vk) {
  for (const auto& run : kRuns) {
    if (vk >= run.firstVk && vk <= run.lastVk) return run.firstSym + (vk - run.firstVk);
  }
  for (const auto& pair : kSingles) {
    if (pair.vk == vk) return pair.sym;
  }
  return NoSymbol;
}

std::optional<unsigned> ModifiersToMask(unsigned modifiers) {
  if ((modifiers & ~(kModAlt | kModControl)) != 0) return std::nullopt;
  unsigned mask = 0;
  if (modifiers & kModAlt) mask |= Mod1Mask;
  if (modifiers & kModControl) mask |= ControlMask;
  return mask;
}

std::optional<unsigned> ReadLockMasks(Display* display) {
  XModifierKeymap* map = XGetModifierMapping(display);
  if (map == nullptr) return std::nullopt;
  const unsigned masks = LockMask | MaskOfKeySym(*map, display, XK_Num_Lock) |
                         MaskOfKeySym(*map, display, XK_Scroll_Lock);
  XFreeModifiermap(map);
  return masks;
}

std::vector<unsigned> LockCombinations(unsigned locks) {
  // Enumerates the subsets of `locks`; equal masks were merged by the OR.
  std::vector<unsigned> combinations;
  unsigned subset = 0;
  do {
    combinations.push_back(subset);
    subset = (subset - locks) & locks;
  } while (subset != 0);
  return combinations;
}

}  // namespace velmo::x11
