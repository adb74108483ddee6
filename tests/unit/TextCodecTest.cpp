#include <gtest/gtest.h>

#include "common/Utf8.h"
#include "platform/TextCodec.h"

using namespace velmo;

namespace {
const std::string kReplacement = "\xEF\xBF\xBD";
}

TEST(GbkToUtf8, InvalidLeadByteIsOneReplacementAndLosesNothingElse) {
  EXPECT_EQ(GbkToUtf8("a=\x81\nb=2\n"), "a=" + kReplacement + "\nb=2\n");
  EXPECT_EQ(GbkToUtf8("\x81\r\n"), kReplacement + "\r\n");
  EXPECT_EQ(GbkToUtf8("\xFE x"), kReplacement + " x");
  EXPECT_EQ(GbkToUtf8("\xD7\xF3\x81"), "左" + kReplacement);
  EXPECT_EQ(GbkToUtf8("\xD7\xF3\xBC\xFC"), "左键");
  EXPECT_EQ(Utf8ToGbk("左键"), "\xD7\xF3\xBC\xFC");
}

TEST(Utf8, ValidityAndCuts) {
  EXPECT_TRUE(IsValidUtf8("右键 ok"));
  EXPECT_FALSE(IsValidUtf8("\xD3\xD2\xBC\xFC"));  // "右键" in GBK
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xE5\x8F"));          // cut short
  EXPECT_EQ(CutText("右键右键", 2), "右键...");
  EXPECT_EQ(CutText("abc", 3), "abc");
}
