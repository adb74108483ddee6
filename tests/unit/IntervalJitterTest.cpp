#include <gtest/gtest.h>

#include <climits>

#include "clicker/IntervalJitter.h"
#include "common/Errors.h"
#include "platform/TimerDeadlines.h"

using namespace velmo;
using std::chrono::milliseconds;

TEST(JitterTextToPercent, WholeNumbersFrom0To90) {
  EXPECT_EQ(JitterTextToPercent("0"), 0);
  EXPECT_EQ(JitterTextToPercent("90"), 90);
  for (const char* bad : {"91", "-1", "", "3.5", "abc"})
    EXPECT_THROW(JitterTextToPercent(bad), ConvertError) << bad;
}

TEST(JitteredPeriods, SpreadIsSymmetricAndKeepsThePlatformMinimum) {
  std::mt19937 random(1);
  const JitteredPeriods p30(100, 30, random), p90(100, 90, random), p1ms(1, 50, random),
      negative(-1000, 50, random);
  EXPECT_EQ(std::pair(p30.low(), p30.high()), std::pair(70, 130));
  EXPECT_EQ(std::pair(p90.low(), p90.high()), std::pair(10, 190));
  EXPECT_EQ(std::pair(p1ms.low(), p1ms.high()), std::pair(10, 10));
  EXPECT_EQ(std::pair(negative.low(), negative.high()), std::pair(INT_MAX, INT_MAX));
}

// Ticks that arrive up to 3 ms late, as the toolkit's do, on a jittered
// schedule: the mean period stays the interval, the lateness does not add up.
TEST(ClickJitter, MeanPeriodOverManyLateTicksHasNoDrift) {
  std::mt19937 random(11);
  JitteredPeriods periods(100, 30, random);
  std::uniform_int_distribution<int> lateness(0, 3);
  const TimerClock::time_point start{};
  TimerClock::time_point deadline = start + milliseconds(periods());
  TimerClock::time_point firstTick = deadline + milliseconds(lateness(random)), tick = firstTick;
  constexpr int kTicks = 20000;
  for (int i = 1; i < kTicks; ++i) {
    deadline = NextDeadline(deadline, milliseconds(periods()), tick);
    tick = deadline + milliseconds(lateness(random));
  }
  const double mean =
      std::chrono::duration<double, std::milli>(tick - firstTick).count() / (kTicks - 1);
  EXPECT_NEAR(mean, 100.0, 0.5);
}
