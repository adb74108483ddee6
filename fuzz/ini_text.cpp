// The settings file: any bytes parse; writing a key and reading it back gives
// the value (as the file's encoding holds it, cut to 2047 bytes), and every
// other key reads as before (garbage bytes on other lines included).
// Input: file bytes, NUL, section, NUL, key, NUL, value, then pairs of
// section and key to compare, each after a NUL.
#include <algorithm>

#include "FuzzCheck.h"
#include "common/Utf8.h"
#include "platform/TextCodec.h"
#include "settings/IniText.h"

namespace {

// Names and values a profile write can give back: names of printable ASCII
// without the characters that end them (the program's are such); values of
// one line without blanks or quotes at either end.
bool usableName(const std::string& s) {
  if (s.empty() || s.size() > 64 || s.find_first_of("=[];") != std::string::npos) return false;
  for (const char c : s)
    if (c <= ' ' || c > '~') return false;
  return true;
}

bool usableValue(const std::string& s) {
  if (!velmo::IsValidUtf8(s) || s.find_first_of("\r\n") != std::string::npos) return false;
  const auto edge = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
  return s.empty() || (!edge(s.front()) && !edge(s.back()));
}

bool sameName(std::string a, std::string b) {
  const auto lower = [](std::string& s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  };
  lower(a), lower(b);
  return a == b;
}

size_t count(const std::string& text, char c) { return std::count(text.begin(), text.end(), c); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmo;
  const auto fields = fuzz::Fields(fuzz::Text(data, size));
  const std::string& file = fields[0];
  IniText text = IniText::Parse(file);
  // Nothing written: no line is lost.
  FUZZ_CHECK(count(text.Bytes(), '\n') >= count(file, '\n'));
  if (fields.size() < 4) return 0;
  const std::string &section = fields[1], &key = fields[2], &value = fields[3];
  if (!usableName(section) || !usableName(key) || !usableValue(value)) return 0;

  const IniText before = text;
  text.Write(section, key, value);
  const IniText back = IniText::Parse(text.Bytes());
  // A GBK file whose bytes also read as UTF-8 is taken for UTF-8: the format
  // cannot tell the two apart.
  if (before.encoding() == IniEncoding::Gbk && back.encoding() != IniEncoding::Gbk) return 0;

  const std::string stored =
      before.encoding() == IniEncoding::Gbk ? GbkToUtf8(Utf8ToGbk(value)) : value;
  const auto read = back.Read(section, key);
  FUZZ_CHECK(read.has_value());
  FUZZ_CHECK(stored.compare(0, read->size(), *read) == 0);  // the value or its first 2047 bytes
  FUZZ_CHECK(read->size() == stored.size() || read->size() + 4 > 2047);
  for (size_t i = 4; i + 1 < fields.size(); i += 2) {
    if (sameName(fields[i], section) && sameName(fields[i + 1], key)) continue;
    FUZZ_CHECK(back.Read(fields[i], fields[i + 1]) == before.Read(fields[i], fields[i + 1]));
  }
  return 0;
}
