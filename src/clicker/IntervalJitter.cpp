#include "clicker/IntervalJitter.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "common/Errors.h"
#include "platform/Platform.h"

namespace velmo {

int JitterTextToPercent(const std::string& text) {
  const int percent = StrToInt(text);
  if (percent < 0 || percent > kMaxJitterPercent)
    throw ConvertError(Quoted(text) + " is not a percentage from 0 to " +
                       std::to_string(kMaxJitterPercent));
  return percent;
}

namespace {

std::uniform_int_distribution<int> Around(int periodMs, int percent) {
  const int64_t period = EffectiveTimerPeriod(periodMs);
  const int64_t spread =
      std::min({period * percent / 100, period - kMinTimerPeriodMs, int64_t{INT_MAX} - period});
  return std::uniform_int_distribution<int>(static_cast<int>(period - spread),
                                            static_cast<int>(period + spread));
}

}  // namespace

int ShortestPeriod(int periodMs, int percent) { return Around(periodMs, percent).a(); }

JitteredPeriods::JitteredPeriods(int periodMs, int percent, std::mt19937& random)
    : random_(random), draw_(Around(periodMs, percent)) {}

}  // namespace velmo
