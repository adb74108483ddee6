#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "web/UpdateCheckQueue.h"

using namespace velmo;

namespace {

// A check whose body the test writes; counts the checks and the ends.
struct Queue : ::testing::Test {
  int checks = 0;
  int ends = 0;
  std::function<void(int, const std::function<void()>&)> body;
  UpdateCheckQueue queue{[this](const std::function<void()>& end) {
                           const int number = ++checks;
                           if (body) body(number, end);
                         },
                         [this] { ++ends; }};
};

}  // namespace

TEST_F(Queue, EveryCompletedDocumentIsChecked) {
  queue.documentCompleted();
  queue.documentCompleted();
  EXPECT_EQ(checks, 2);
}

TEST_F(Queue, DocumentsCompletedDuringACheckAskForOneMoreCheckAfterIt) {
  std::vector<std::string> order;
  body = [&](int number, const std::function<void()>&) {
    order.push_back("start " + std::to_string(number));
    if (number == 1) {
      queue.documentCompleted();
      queue.documentCompleted();
    }
    order.push_back("end " + std::to_string(number));
  };
  queue.documentCompleted();
  EXPECT_EQ(order, (std::vector<std::string>{"start 1", "end 1", "start 2", "end 2"}));
}

TEST_F(Queue, NothingIsCheckedOnceACheckHasEndedTheApplication) {
  body = [&](int number, const std::function<void()>& end) {
    if (number == 1) {
      queue.documentCompleted();  // completed while the question was open
      end();
    }
  };
  queue.documentCompleted();
  queue.documentCompleted();
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(ends, 1);
}

TEST_F(Queue, CheckThatFailsLeavesTheQueueReady) {
  body = [](int number, const std::function<void()>&) {
    if (number == 1) throw std::runtime_error("browser gone");
  };
  EXPECT_THROW(queue.documentCompleted(), std::runtime_error);
  queue.documentCompleted();
  EXPECT_EQ(checks, 2);
}
