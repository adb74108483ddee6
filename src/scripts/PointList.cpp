#include "scripts/PointList.h"

#include "common/Errors.h"

namespace velmo {

namespace {

constexpr char kQuote = '"';

// Every byte of a multi-byte UTF-8 character is 0x80 or above, so comparing
// single bytes as unsigned values never takes part of one for a blank, a
// quote or an ASCII delimiter. (A plain `char` is signed here: `c <= ' '`
// would call every Chinese character a blank.)
bool isBlank(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 1 && byte <= 32;
}

size_t skipBlanks(const std::string& text, size_t i) {
  while (i < text.size() && isBlank(text[i])) ++i;
  return i;
}

// Reads the quoted item whose opening quote is at `i`; returns the position
// after its closing quote, or the end when it has none.
size_t readQuoted(const std::string& text, size_t i, std::string& item) {
  for (++i; i < text.size(); ++i) {
    if (text[i] != kQuote) {
      item += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == kQuote) {
      item += kQuote;
      ++i;
    } else {
      return i + 1;
    }
  }
  return i;
}

size_t readPlain(const std::string& text, size_t i, char delimiter, std::string& item) {
  const size_t start = i;
  while (i < text.size() && text[i] != delimiter && !isBlank(text[i])) ++i;
  item.assign(text, start, i - start);
  return i;
}

}  // namespace

std::vector<std::string> SplitDelimited(const std::string& text, char delimiter) {
  std::vector<std::string> items;
  size_t i = skipBlanks(text, 0);
  while (i < text.size()) {
    std::string item;
    i = text[i] == kQuote ? readQuoted(text, i, item) : readPlain(text, i, delimiter, item);
    items.push_back(std::move(item));
    i = skipBlanks(text, i);
    if (i < text.size() && text[i] == delimiter) {
      if (i + 1 == text.size()) items.emplace_back();
      i = skipBlanks(text, i + 1);
    }
  }
  return items;
}

const std::string& PointEntry::field(size_t index) const {
  if (index >= fields.size()) {
    throw AppError("point entry has " + std::to_string(fields.size()) + " fields, field " +
                   std::to_string(index + 1) + " is missing");
  }
  return fields[index];
}

std::string EncodePointList(const std::vector<PointRow>& rows) {
  std::string text;
  for (const auto& row : rows) text += row.coordinate + "," + row.action + "," + row.interval + "|";
  return text;
}

std::vector<PointEntry> DecodePointList(const std::string& text) {
  std::vector<std::string> items = SplitDelimited(text, '|');
  if (!items.empty()) items.pop_back();
  std::vector<PointEntry> entries;
  entries.reserve(items.size());
  for (const auto& item : items) entries.push_back({SplitDelimited(item, ',')});
  return entries;
}

PointRow EditorRow(const PointEntry& entry) {
  return {entry.x() + "," + entry.y(), entry.action(), entry.interval()};
}

}  // namespace velmo
