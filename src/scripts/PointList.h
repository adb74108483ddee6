// The text form of a script's points, as stored in column mpoint: each entry
// is x, y, action and interval joined with "," and closed by "|". There is no
// escaping and no validation; a field that does not fit shows up only when a
// reader asks for it.
#pragma once

#include <string>
#include <vector>

namespace velmo {

// Splits `text` into items at `delimiter` and at blanks (characters 1 to 32).
// A run of blanks never yields an empty item; two delimiters in a row do, and
// a delimiter as the very last character adds one empty item. An item that
// starts with a double quote runs to the next undoubled double quote ("" is
// one quote inside it); without a closing quote it takes the rest of the
// text. `delimiter` is an ASCII character; the text is UTF-8.
std::vector<std::string> SplitDelimited(const std::string& text, char delimiter);

// One point of a script in the order the runner visits them. Holds what the
// text gave: an entry may have fewer than four fields, and asking for a
// missing one raises AppError.
struct PointEntry {
  std::vector<std::string> fields;

  const std::string& x() const { return field(0); }
  const std::string& y() const { return field(1); }
  const std::string& action() const { return field(2); }
  const std::string& interval() const { return field(3); }

 private:
  const std::string& field(size_t index) const;
};

// One row of an editor dialog's point list: the coordinate column holds
// x, "," and y as one text.
struct PointRow {
  std::string coordinate;
  std::string action;
  std::string interval;
};

// "coordinate,action,interval|" per row; no rows give the empty text.
std::string EncodePointList(const std::vector<PointRow>& rows);

// Splits at "|" and drops the last item, whatever it holds (for a well-formed
// text the empty one after the final "|"); every other item is split at ","
// into one entry.
std::vector<PointEntry> DecodePointList(const std::string& text);

// The editor row that shows `entry`; raises AppError when a field is missing.
PointRow EditorRow(const PointEntry& entry);

}  // namespace velmo
