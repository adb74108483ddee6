#include <gtest/gtest.h>

#include "common/Errors.h"
#include "web/Scramble.h"

using namespace velmo;

namespace {

std::string zeros(size_t bytes) { return std::string(bytes * 2, '0'); }

// Zero bytes descramble to the key itself.
std::string key() { return DescrambleHex(zeros(8)); }

}  // namespace

TEST(DescrambleHex, EmptyAndSingleDigitGiveEmpty) {
  EXPECT_EQ(DescrambleHex(""), "");
  EXPECT_EQ(DescrambleHex("7"), "");
  EXPECT_EQ(DescrambleHex("Z"), "");
}

TEST(DescrambleHex, TrailingOddDigitIsIgnoredEvenWhenNotHex) {
  EXPECT_EQ(DescrambleHex("00A"), DescrambleHex("00"));
  EXPECT_EQ(DescrambleHex("00Z"), key().substr(0, 1));
}

TEST(DescrambleHex, KeyIsEightNonZeroBytesAppliedByXor) {
  const std::string k = key();
  ASSERT_EQ(k.size(), 8u);
  for (const char b : k) EXPECT_NE(b, '\0');
  EXPECT_EQ(DescrambleHex("FF"), std::string(1, static_cast<char>(~k[0])));
}

TEST(DescrambleHex, KeyWrapsAfterEightBytes) {
  const std::string k = key();
  EXPECT_EQ(DescrambleHex(zeros(19)), k + k + k.substr(0, 3));
}

TEST(DescrambleHex, KeyPositionRestartsForEveryCall) {
  const std::string k = key();
  DescrambleHex(zeros(5));
  EXPECT_EQ(DescrambleHex(zeros(1)), k.substr(0, 1));
}

TEST(DescrambleHex, LowerAndUpperCaseDigitsAreTheSame) {
  EXPECT_EQ(DescrambleHex("abcdef0a"), DescrambleHex("ABCDEF0A"));
  EXPECT_EQ(DescrambleHex("aBcDeF0a"), DescrambleHex("ABCDEF0A"));
}

TEST(DescrambleHex, NonHexPairRaisesConvertError) {
  for (const char* hex : {"G0", "0g", " 1", "1 ", "+1", "-1", "0x", "00ZZ", "0000000000000000:0"}) {
    EXPECT_THROW(DescrambleHex(hex), ConvertError) << hex;
  }
}

TEST(ScrambleHex, RoundTripsEveryByteInUpperCaseDigits) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  const std::string hex = ScrambleHex(bytes);
  ASSERT_EQ(hex.size(), 512u);
  EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  EXPECT_EQ(DescrambleHex(hex), bytes);
}

TEST(ScrambleText, StoresGbkBytesAndComesBackAsUtf8) {
  const std::string text = "发现新版本 v6.8";
  const std::string hex = ScrambleText(text);
  // Two bytes per Chinese character in GBK, one per ASCII character.
  EXPECT_EQ(hex.size(), (5 * 2 + 5) * 2u);
  EXPECT_EQ(DescrambleText(hex), text);
}
