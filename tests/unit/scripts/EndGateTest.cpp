#include "scripts/EndGate.h"

#include <gtest/gtest.h>

namespace velmo {

TEST(EndGate, EndsAtOnceWhenNoScriptRuns) {
  EndGate gate;
  EXPECT_TRUE(gate.admit(EndKind::Close));
  gate.runStarted();
  EXPECT_EQ(gate.runEnded(), std::nullopt);
  EXPECT_TRUE(gate.admit(EndKind::Terminate));
}

TEST(EndGate, RequestDuringNestedRunsWaitsForTheOutermost) {
  EndGate gate;
  gate.runStarted();
  EXPECT_FALSE(gate.admit(EndKind::Close));
  gate.runStarted();  // a second script's hotkey during the first run
  EXPECT_FALSE(gate.admit(EndKind::Close));
  EXPECT_EQ(gate.runEnded(), std::nullopt);
  EXPECT_EQ(gate.runEnded(), EndKind::Close);
  // Released: the next run starts with nothing held.
  gate.runStarted();
  EXPECT_EQ(gate.runEnded(), std::nullopt);
}

TEST(EndGate, EndWithoutCloseQueryWinsOverAHeldClose) {
  for (const auto& order : {std::pair{EndKind::Close, EndKind::Terminate},
                            std::pair{EndKind::Terminate, EndKind::Close}}) {
    EndGate gate;
    gate.runStarted();
    EXPECT_FALSE(gate.admit(order.first));
    EXPECT_FALSE(gate.admit(order.second));
    EXPECT_EQ(gate.runEnded(), EndKind::Terminate);
  }
}

}  // namespace velmo
