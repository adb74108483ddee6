// The point list of column mpoint: any text decodes, a missing field is an
// AppError and nothing else; rows the point dialogs accept come back from
// their encoding as the editor showed them.
// Input: a stored text; or, after a NUL, rows as coordinate, action and
// interval fields, each after a NUL.
#include "FuzzCheck.h"
#include "common/Errors.h"
#include "scripts/PointList.h"

namespace {

// A field as the point dialogs let it through and the splitter keeps it whole.
bool plainField(const std::string& s, bool coordinate) {
  if (s.empty() || s.front() == '"') return false;
  for (const char c : s) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 32 || c == '|' || (c == ',' && !coordinate)) return false;
  }
  if (!coordinate) return true;
  const auto comma = s.find(',');
  return comma != std::string::npos && s.find(',', comma + 1) == std::string::npos &&
         comma > 0 && comma + 1 < s.size() && s[comma + 1] != '"';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmo;
  const auto fields = fuzz::Fields(fuzz::Text(data, size));
  for (const auto& entry : DecodePointList(fields[0])) {
    try {
      const PointRow row = EditorRow(entry);
      FUZZ_CHECK(entry.fields.size() >= 4);
      FUZZ_CHECK(row.coordinate == entry.x() + "," + entry.y());
    } catch (const AppError&) {
      FUZZ_CHECK(entry.fields.size() < 4);
    }
  }
  std::vector<PointRow> rows;
  for (size_t i = 1; i + 2 < fields.size(); i += 3) {
    if (!plainField(fields[i], true) || !plainField(fields[i + 1], false) ||
        !plainField(fields[i + 2], false))
      return 0;
    rows.push_back({fields[i], fields[i + 1], fields[i + 2]});
  }
  const auto entries = DecodePointList(EncodePointList(rows));
  FUZZ_CHECK(entries.size() == rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    FUZZ_CHECK(entries[i].fields.size() == 4);
    const PointRow back = EditorRow(entries[i]);
    FUZZ_CHECK(back.coordinate == rows[i].coordinate && back.action == rows[i].action &&
               back.interval == rows[i].interval);
  }
  return 0;
}
