#include <gtest/gtest.h>

#include "common/KeyFilters.h"
#include "scripts/PointEditing.h"

using namespace velmo;

namespace {

const std::string kEmptyMessage = "请输入要点击的鼠标坐标位置";
const std::string kCommaMessage = "鼠标坐标位置不正确,请输入像这样的坐标位置100,100";

PointRow row(const char* coordinate, const char* action = "左键单击", const char* interval = "20") {
  return {coordinate, action, interval};
}

}  // namespace

TEST(CheckPoint, EmptyCoordinateIsRefusedByEveryMember) {
  for (bool commaRequired : {true, false}) {
    const auto refusal = CheckPoint(row(""), commaRequired);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, kEmptyMessage);
    EXPECT_FALSE(refusal->focus);
    EXPECT_FALSE(refusal->clearCoordinate);
  }
}

TEST(CheckPoint, CommaCheckEmptiesAndFocusesTheCoordinate) {
  const auto refusal = CheckPoint(row("100"), true);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->message, kCommaMessage);
  EXPECT_EQ(refusal->focus, PointField::Coordinate);
  EXPECT_TRUE(refusal->clearCoordinate);
  EXPECT_FALSE(CheckPoint(row("100"), false));  // the other members take it as typed
  EXPECT_FALSE(CheckPoint(row(",7"), true));    // one comma anywhere is enough
}

TEST(CheckPoint, WhatDoesNotCutTheStoredEntryIsTakenAsTyped) {
  for (const PointRow& point : {row("1,2,3"), row("-1280,300"), row("a,b", "右键 双击", "1 000"),
                                row("12,34", "any text", "250"), row("1,2", "", "")}) {
    EXPECT_FALSE(CheckPoint(point, true)) << point.coordinate << " " << point.action;
  }
}

TEST(CheckPoint, SeparatorsThatWouldSplitTheEntryAreRefusedInTheirField) {
  struct Case {
    PointRow point;
    PointField field;
  } cases[] = {
      {row("1,2|3,4"), PointField::Coordinate},
      {row("1,2", "左键|单击"), PointField::Action},
      {row("1,2", "左键,单击"), PointField::Action},
      {row("1,2", "左键单击", "20|"), PointField::Interval},
      {row("1,2", "左键单击", "1,000"), PointField::Interval},
  };
  for (const auto& [point, field] : cases) {
    const auto refusal = CheckPoint(point, false);
    ASSERT_TRUE(refusal) << point.coordinate << " " << point.action << " " << point.interval;
    EXPECT_EQ(refusal->focus, field);
    EXPECT_FALSE(refusal->clearCoordinate);
    EXPECT_NE(refusal->message.find(field == PointField::Coordinate ? "鼠标坐标"
                                    : field == PointField::Action   ? "点击事件"
                                                                    : "间隔时间"),
              std::string::npos)
        << refusal->message;
  }
}

TEST(CaptureText, XCommaY) {
  EXPECT_EQ(CaptureText({512, 384}), "512,384");
  EXPECT_EQ(CaptureText({0, 0}), "0,0");
  EXPECT_EQ(CaptureText({-1280, 300}), "-1280,300");
}

TEST(ReadoutText, TheTwoForms) {
  EXPECT_EQ(ReadoutText({512, 384}, ReadoutStyle::Compact), "当前坐标:512,384");
  EXPECT_EQ(ReadoutText({512, 384}, ReadoutStyle::Labelled), "当前坐标: X=512  Y=384");
  EXPECT_EQ(ReadoutText({-5, 0}, ReadoutStyle::Labelled), "当前坐标: X=-5  Y=0");
}

TEST(TypedCharAccepted, CoordinateFilterOfTheAddDialogs) {
  for (int ch : {'0', '9', ',', '-'})
    EXPECT_TRUE(TypedCharAccepted(ch, &CoordinateKeyAccepted, 0, 12));
  for (int ch : {int{'a'}, int{'+'}, int{' '}, int{'|'}}) {
    EXPECT_FALSE(TypedCharAccepted(ch, &CoordinateKeyAccepted, 0, 12)) << ch;
  }
  // Ctrl+C and Ctrl+V reach the field even when it is full.
  for (int ch : {3, 22}) EXPECT_TRUE(TypedCharAccepted(ch, &CoordinateKeyAccepted, 12, 12)) << ch;
}

TEST(TypedCharacter, OnlyPlainPrintableKeysAreJudged) {
  EXPECT_TRUE(TypedCharacter('a', false, false));
  EXPECT_TRUE(TypedCharacter('@', true, true));  // AltGr on Windows
  for (int ch : {0, 8, 9, 13, 27, 127}) EXPECT_FALSE(TypedCharacter(ch, false, false)) << ch;
  EXPECT_FALSE(TypedCharacter('e', false, true));  // Alt+E: a mnemonic
  EXPECT_FALSE(TypedCharacter('v', true, false));  // Ctrl+V
}

TEST(KeptAfterChange, PastedTextKeepsTheFieldsRules) {
  // Refused characters are dropped, also line breaks of a copied line.
  EXPECT_EQ(KeptAfterChange(L"1", L"1a2,3\n", &DigitKeyAccepted, 5), L"123");
  EXPECT_EQ(KeptAfterChange(L"", L"-12,34|", &CoordinateKeyAccepted, 12), L"-12,34");
  // The loop count holds at most 5 characters: the paste is refused whole.
  EXPECT_EQ(KeptAfterChange(L"1", L"11234567890", &DigitKeyAccepted, 5), L"1");
  EXPECT_EQ(KeptAfterChange(L"1", L"12345", &DigitKeyAccepted, 5), L"12345");
  // A longer text the program put there may still be shortened.
  EXPECT_EQ(KeptAfterChange(L"1234567", L"123456", &DigitKeyAccepted, 5), L"123456");
  // Without a filter only the length counts.
  EXPECT_EQ(KeptAfterChange(L"", L"a b", nullptr, 12), L"a b");
}

TEST(TypedCharAccepted, TheTypedLimitCountsWhatStaysAfterTheSelection) {
  EXPECT_TRUE(TypedCharAccepted('5', &CoordinateKeyAccepted, 11, 12));
  EXPECT_FALSE(TypedCharAccepted('5', &CoordinateKeyAccepted, 12, 12));
  EXPECT_TRUE(TypedCharAccepted(8, &CoordinateKeyAccepted, 12, 12));  // backspace
  EXPECT_FALSE(TypedCharAccepted('x', nullptr, 12, 12));
  EXPECT_TRUE(TypedCharAccepted('x', nullptr, 11, 12));  // no filter: any character
  EXPECT_TRUE(TypedCharAccepted(3, nullptr, 12, 12));    // Ctrl+C adds nothing
  EXPECT_FALSE(TypedCharAccepted('1', &DigitKeyAccepted, 5, 5));
}
