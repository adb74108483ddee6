#include "settings/IniText.h"

#include <cctype>

#include "common/TextLines.h"
#include "common/Utf8.h"
#include "platform/TextCodec.h"

namespace velmo {

namespace {

constexpr size_t kMaxValueBytes = 2047;
const std::string kUtf8Bom = "\xEF\xBB\xBF";

std::string trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::optional<std::string> sectionName(const std::string& line) {
  const std::string t = trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const auto close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return trim(t.substr(1, close - 1));
}

// The key of a "key=value" line, if the line is one.
std::optional<std::string> keyName(const std::string& line) {
  const auto eq = line.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return trim(line.substr(0, eq));
}

std::string unquote(const std::string& v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

// Cuts a value to 2047 bytes of its on-disk encoding, never inside a character.
std::string limitValue(const std::string& value, bool utf8) {
  const std::string disk = utf8 ? value : Utf8ToGbk(value);
  if (disk.size() <= kMaxValueBytes) return value;
  size_t cut = kMaxValueBytes;
  if (utf8) {
    while (cut > 0 && (static_cast<unsigned char>(disk[cut]) & 0xC0) == 0x80) --cut;
    return disk.substr(0, cut);
  }
  // Walk GBK characters so a double-byte character is never split.
  size_t i = 0;
  while (i < disk.size()) {
    const auto lead = static_cast<unsigned char>(disk[i]);
    const size_t width = (lead >= 0x81 && lead <= 0xFE) ? 2 : 1;
    if (i + width > cut) break;
    i += width;
  }
  return GbkToUtf8(disk.substr(0, i));
}

bool hasNonAscii(const std::string& bytes) {
  for (const char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

}  // namespace

IniText IniText::Parse(const std::string& bytes) {
  IniText text;
  std::string raw = bytes;
  if (bytes.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0) {
    text.encoding_ = IniEncoding::Utf8WithBom;
    raw.erase(0, kUtf8Bom.size());
  } else if (hasNonAscii(bytes) && IsValidUtf8(bytes)) {
    text.encoding_ = IniEncoding::Utf8;
  }
  const auto firstEnd = raw.find('\n');
  if (firstEnd != std::string::npos && (firstEnd == 0 || raw[firstEnd - 1] != '\r'))
    text.lineEnd_ = "\n";
  // Decoding never takes a line end into a character, so both splits agree.
  text.lines_ = SplitLines(text.encoding_ == IniEncoding::Gbk ? GbkToUtf8(raw) : raw);
  for (auto& line : SplitLines(raw)) text.diskLines_.emplace_back(std::move(line));
  return text;
}

std::optional<std::string> IniText::Read(const std::string& section, const std::string& key) const {
  bool inSection = false;
  for (const auto& line : lines_) {
    if (auto name = sectionName(line)) {
      inSection = sameName(*name, section);
      continue;
    }
    if (!inSection) continue;
    auto name = keyName(line);
    if (name && sameName(*name, key)) {
      const std::string value = unquote(trim(line.substr(line.find('=') + 1)));
      return limitValue(value, encoding_ != IniEncoding::Gbk);
    }
  }
  return std::nullopt;
}

void IniText::Write(const std::string& section, const std::string& key, const std::string& value) {
  const std::string entry = key + "=" + value;
  std::optional<size_t> sectionStart;
  size_t insertAt = lines_.size();
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (auto name = sectionName(lines_[i])) {
      if (sectionStart) break;
      if (sameName(*name, section)) sectionStart = i, insertAt = i + 1;
      continue;
    }
    if (!sectionStart) continue;
    if (auto name = keyName(lines_[i]); name && sameName(*name, key)) {
      lines_[i] = entry;
      diskLines_[i].reset();
      return;
    }
    if (!trim(lines_[i]).empty()) insertAt = i + 1;
  }
  if (sectionStart) {
    lines_.insert(lines_.begin() + static_cast<long>(insertAt), entry);
    diskLines_.insert(diskLines_.begin() + static_cast<long>(insertAt), std::nullopt);
  } else {
    lines_.insert(lines_.end(), {"[" + section + "]", entry});
    diskLines_.insert(diskLines_.end(), 2, std::nullopt);
  }
}

std::string IniText::Bytes() const {
  std::string bytes = encoding_ == IniEncoding::Utf8WithBom ? kUtf8Bom : "";
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (diskLines_[i]) bytes += *diskLines_[i];
    else bytes += encoding_ == IniEncoding::Gbk ? Utf8ToGbk(lines_[i]) : lines_[i];
    bytes += lineEnd_;
  }
  return bytes;
}

}  // namespace velmo
