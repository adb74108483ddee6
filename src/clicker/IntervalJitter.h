// The random interval of the single-point clicker: each period is drawn
// anew around the fixed one, the same distance up as down, so the clicks
// keep the interval's rate in the long run.
#pragma once

#include <random>
#include <string>

namespace velmo {

inline constexpr int kMaxJitterPercent = 90;

// The `jitter` text as a percentage: a whole number from 0 to 90, else
// ConvertError.
int JitterTextToPercent(const std::string& text);

// The shortest period JitteredPeriods can draw, the timer's minimum included.
int ShortestPeriod(int periodMs, int percent);

// Periods drawn uniformly from `periodMs` - spread to `periodMs` + spread,
// where spread is `percent` of the timer's effective period, narrowed where
// a period would fall below the platform's minimum or leave the int range:
// the narrowing is the same both ways, so the mean period stays exact.
class JitteredPeriods {
 public:
  JitteredPeriods(int periodMs, int percent, std::mt19937& random);
  int operator()() { return draw_(random_); }
  int low() const { return draw_.a(); }
  int high() const { return draw_.b(); }

 private:
  std::mt19937& random_;
  std::uniform_int_distribution<int> draw_;
};

}  // namespace velmo
