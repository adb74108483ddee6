#include "app/ProfileFile.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <vector>

#include "common/Errors.h"
#include "platform/TextCodec.h"

namespace velmo {

namespace {

constexpr size_t kMaxValueBytes = 2047;
const std::string kUtf8Bom = "\xEF\xBB\xBF";

struct Lines {
  std::vector<std::string> lines;  // UTF-8, without line ends
  bool utf8 = false;
};

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

Lines load(const std::string& path) {
  Lines result;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return result;
  std::ifstream in(path, std::ios::binary);
  if (!in) return result;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0) {
    result.utf8 = true;
    bytes.erase(0, kUtf8Bom.size());
  } else {
    bytes = GbkToUtf8(bytes);
  }
  std::istringstream stream(bytes);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    result.lines.push_back(line);
  }
  return result;
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

std::string unquote(const std::string& v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

void saveAtomically(const std::string& path, const Lines& content) {
  std::string text;
  for (const auto& line : content.lines) text += line + "\r\n";
  const std::string bytes = content.utf8 ? kUtf8Bom + text : Utf8ToGbk(text);

  std::random_device random;
  const std::string temp = path + ".tmp" + std::to_string(random());
  const auto fail = [&] {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    throw AppError("Unable to write to " + path);
  };
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) fail();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) fail();
  }
  std::error_code error;
  std::filesystem::rename(temp, path, error);
  if (error) fail();
}

}  // namespace

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& fallback) const {
  const Lines content = load(path_);
  bool inSection = false;
  for (const auto& line : content.lines) {
    if (auto name = sectionName(line)) {
      inSection = sameName(*name, section);
      continue;
    }
    if (!inSection) continue;
    auto name = keyName(line);
    if (name && sameName(*name, key)) {
      const std::string value = unquote(trim(line.substr(line.find('=') + 1)));
      return limitValue(value, content.utf8);
    }
  }
  return fallback;
}

void ProfileFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) {
  // A file that exists but cannot be read is never replaced: its keys would be lost.
  std::error_code ignored;
  if (std::filesystem::exists(path_, ignored) &&
      (!std::filesystem::is_regular_file(path_, ignored) || !std::ifstream(path_, std::ios::binary)))
    throw AppError("Unable to write to " + path_);
  Lines content = load(path_);
  auto& lines = content.lines;
  const std::string entry = key + "=" + value;
  std::optional<size_t> sectionStart;
  size_t insertAt = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (auto name = sectionName(lines[i])) {
      if (sectionStart) break;
      if (sameName(*name, section)) sectionStart = i, insertAt = i + 1;
      continue;
    }
    if (!sectionStart) continue;
    if (auto name = keyName(lines[i]); name && sameName(*name, key)) {
      lines[i] = entry;
      saveAtomically(path_, content);
      return;
    }
    if (!trim(lines[i]).empty()) insertAt = i + 1;
  }
  if (sectionStart) {
    lines.insert(lines.begin() + static_cast<long>(insertAt), entry);
  } else {
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
  }
  saveAtomically(path_, content);
}

void CopyIfMissing(const std::string& from, const std::string& to) {
  std::error_code ignored;
  if (std::filesystem::exists(to, ignored)) return;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ignored);
}

}  // namespace velmo
