#include <gtest/gtest.h>

#include "common/Errors.h"
#include "scripts/PointList.h"

using namespace velmo;
using V = std::vector<std::string>;

TEST(SplitDelimited, BlanksAndSeparators) {
  const std::pair<const char*, V> cases[] = {
      {"", V{}},
      {" \t\r\n", V{}},
      {"a,b", V{"a", "b"}},
      {"  a , b  ", V{"a", "b"}},
      {"a b", V{"a", "b"}},         // a blank separates like the delimiter
      {"a \x01\x1f b", V{"a", "b"}},  // a run of blanks gives no empty item
      {"a!b", V{"a!b"}},            // 33 is no blank
      {"a,,b", V{"a", "", "b"}},
      {",a", V{"", "a"}},
      {"a,", V{"a", ""}},           // the delimiter last adds one empty item
      {",", V{"", ""}},
      {"a, ", V{"a"}},              // ... but not when a blank follows it
  };
  for (const auto& [text, items] : cases) EXPECT_EQ(SplitDelimited(text, ','), items) << text;
}

TEST(SplitDelimited, Quotes) {
  const std::pair<const char*, V> cases[] = {
      {R"("a,b",c)", V{"a,b", "c"}},
      {R"("a b")", V{"a b"}},
      {R"("say ""hi""",x)", V{R"(say "hi")", "x"}},
      {R"("",x)", V{"", "x"}},
      {R"("ab"cd,e)", V{"ab", "cd", "e"}},  // text after the closing quote starts an item
      {R"(a"b,c)", V{R"(a"b)", "c"}},       // a quote inside an item is plain text
      {R"("ab,c d)", V{"ab,c d"}},          // no closing quote: the rest of the text
      {R"("ab"")", V{R"(ab")"}},
  };
  for (const auto& [text, items] : cases) EXPECT_EQ(SplitDelimited(text, ','), items) << text;
}

// Bytes of multi-byte characters are >= 0x80: read as signed they would look
// like blanks, and with the top bit dropped some look like ',' (¬ C2 AC),
// '"' (¢ C2 A2) or control characters (， EF BC 8C).
TEST(SplitDelimited, Utf8CharactersStayWhole) {
  EXPECT_EQ(SplitDelimited("左键单击,右键双击", ','), (V{"左键单击", "右键双击"}));
  EXPECT_EQ(SplitDelimited("1，2¬3¢4", ','), V{"1，2¬3¢4"});
  EXPECT_EQ(SplitDelimited("甲　乙", ','), V{"甲　乙"});  // U+3000 is no blank
  EXPECT_EQ(SplitDelimited("\"无点击\"\"\",脚本", ','), (V{"无点击\"", "脚本"}));
  EXPECT_EQ(SplitDelimited("100,200,左键单击,20|", '|'), (V{"100,200,左键单击,20", ""}));
}

namespace {

V fieldsOf(const std::string& text, size_t entry) { return DecodePointList(text).at(entry).fields; }

}  // namespace

TEST(DecodePointList, DropsTheLastItem) {
  EXPECT_TRUE(DecodePointList("").empty());
  EXPECT_TRUE(DecodePointList("100,200,左键单击,20").empty());
  const auto entries = DecodePointList("100,200,左键单击,20|300,400,无点击,1000");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].interval(), "20");
  ASSERT_EQ(DecodePointList("|").size(), 1u);
  EXPECT_THROW(DecodePointList("|")[0].x(), AppError);
}

TEST(DecodePointList, UnusualTextsReadAsTheFormatSays) {
  EXPECT_EQ(DecodePointList("1,2,无点击,5||3,4,无点击,6|").size(), 3u);
  EXPECT_TRUE(fieldsOf("1,2,无点击,5||3,4,无点击,6|", 1).empty());
  EXPECT_EQ(DecodePointList("1,2,a,3| 4,5,b,6|").size(), 2u);
  // A blank inside an entry cuts it in two already at the "|" stage.
  EXPECT_EQ(fieldsOf("1,2,左键单击,1 000|", 0), (V{"1", "2", "左键单击", "1"}));
  EXPECT_EQ(fieldsOf("1,2,左键单击,1 000|", 1), V{"000"});
  EXPECT_EQ(fieldsOf("100, 200,左键单击,20|", 0), (V{"100", ""}));
  EXPECT_EQ(fieldsOf("100, 200,左键单击,20|", 1), (V{"200", "左键单击", "20"}));
  // A coordinate with two commas shifts the fields; extra fields are ignored.
  const auto shifted = DecodePointList("1,2,3,左键单击,20|")[0];
  EXPECT_EQ(shifted.action(), "3");
  EXPECT_EQ(shifted.interval(), "左键单击");
  EXPECT_EQ(DecodePointList("1,2,点两下,5|")[0].action(), "点两下");
}

TEST(DecodePointList, MissingFieldFailsOnlyWhenAskedFor) {
  const auto entry = DecodePointList("100,200|")[0];
  EXPECT_EQ(entry.x(), "100");
  EXPECT_EQ(entry.y(), "200");
  EXPECT_THROW(entry.action(), AppError);
  EXPECT_THROW(EditorRow(entry), AppError);
}

TEST(EncodePointList, ExampleAndRoundTrip) {
  const std::vector<PointRow> rows = {{"100,200", "左键单击", "20"},
                                      {"300,400", "无点击", "1000"},
                                      {"-5,0", "右键双击", "0"}};
  const std::string text = EncodePointList(rows);
  EXPECT_EQ(text, "100,200,左键单击,20|300,400,无点击,1000|-5,0,右键双击,0|");
  const auto entries = DecodePointList(text);
  ASSERT_EQ(entries.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const PointRow back = EditorRow(entries[i]);
    EXPECT_EQ(back.coordinate, rows[i].coordinate);
    EXPECT_EQ(back.action, rows[i].action);
    EXPECT_EQ(back.interval, rows[i].interval);
  }
  EXPECT_EQ(EncodePointList({}), "");
}
