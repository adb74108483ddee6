// Hotkey texts and key numbers: a key text gives a key code from 1 to 254 or
// the ConvertError of an unknown key; StrToInt agrees with a plain reading of
// the digits; the dialogs' fields rebuild the text they were filled from.
#include <charconv>
#include <optional>

#include "FuzzCheck.h"
#include "common/Errors.h"
#include "hotkeys/HotkeyText.h"

namespace {

// Blanks, an optional sign, then decimal digits that fit in 32 bits.
std::optional<int> plainInteger(const std::string& text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return std::nullopt;
  const bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  if (i == text.size() || text.find_first_not_of("0123456789", i) != std::string::npos)
    return std::nullopt;
  std::string digits = (negative ? "-" : "") + text.substr(i);
  long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmo;
  const std::string text = fuzz::Text(data, size);
  const auto plain = plainInteger(text);
  std::optional<int> read;
  try {
    read = StrToInt(text);
  } catch (const ConvertError& e) {
    FUZZ_CHECK(velmo::fuzz::Chars(e.what()) < 120);
  }
  FUZZ_CHECK(read == plain);
  const SplitHotkey split = SplitHotkeyText(text);
  try {
    const int vk = KeyTextToVk(split.key);
    FUZZ_CHECK(vk >= 1 && vk <= 254);
  } catch (const ConvertError&) {
  }
  // A text the dialogs store comes back from the fields they show.
  const std::string key = KeyFieldFor(text);
  for (const char* modifier : {"无", "Ctrl", "Alt", "Ctrl+Alt"}) {
    if (key.empty() || key.find_first_of("+") != std::string::npos ||
        key.find("Ctrl") != std::string::npos || key.find("Alt") != std::string::npos)
      break;
    const std::string stored = CombineHotkeyText(modifier, key);
    FUZZ_CHECK(ModifierFieldFor(stored) == modifier && KeyFieldFor(stored) == key);
  }
  return 0;
}
