#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "fakes/FakePlatform.h"
#include "web/UpdateCheck.h"

using namespace velmo;

namespace {

const std::vector<std::string> kNames = {"app_version", "app_hp", "app_url",
                                         "is_icon",     "is_pop", "app_pop"};

// A loaded page: the values its script defines; records every name read.
struct FakePage : PageValues {
  std::map<std::string, std::string> values;
  std::string throwsOn;
  std::vector<std::string> reads;

  std::optional<std::string> read(const std::string& name) override {
    reads.push_back(name);
    if (name == throwsOn) throw std::runtime_error("value cannot be converted to text");
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
};

struct UpdateCheck : ::testing::Test {
  fake::FakePlatform p;
  FakePage page;
  ClosePageState state{"old is_pop", "old app_pop"};
  int mainWindow = 0;
  int ended = 0;

  void SetUp() override {
    page.values = {{"app_version", "6.8"},
                   {"app_hp", "http://www.velmo.example/"},
                   {"app_url", "http://down.velmo.example/velmo68.exe"},
                   {"is_icon", "0"},
                   {"is_pop", "1"},
                   {"app_pop", "http://www.velmo.example/bye.htm"}};
  }
  void run() {
    RunUpdateCheck(page, state, p.boxes, &mainWindow, p.shell, [this] {
      ++ended;
      p.log.add("EndApplication");
    });
  }
  void expectNothingHappened() {
    EXPECT_TRUE(p.boxes.shown.empty());
    EXPECT_TRUE(p.shell.opened.empty());
    EXPECT_EQ(ended, 0);
  }
};

}  // namespace

TEST_F(UpdateCheck, SameVersionReadsAllSixInOrderTakesOverPopValuesAndAsksNothing) {
  page.values["app_version"] = kProgramVersion;
  run();
  EXPECT_EQ(page.reads, kNames);
  EXPECT_EQ(state.is_pop, "1");
  EXPECT_EQ(state.app_pop, "http://www.velmo.example/bye.htm");
  expectNothingHappened();
}

TEST_F(UpdateCheck, MissingNameEndsTheCheckKeepingOnlyTheValuesReadBefore) {
  for (size_t missing = 0; missing < kNames.size(); ++missing) {
    SCOPED_TRACE(kNames[missing]);
    SetUp();
    page.values.erase(kNames[missing]);
    page.reads.clear();
    state = {"old is_pop", "old app_pop"};
    run();
    EXPECT_EQ(page.reads, std::vector<std::string>(kNames.begin(), kNames.begin() + missing + 1));
    EXPECT_EQ(state.is_pop, missing > 4 ? "1" : "old is_pop");
    EXPECT_EQ(state.app_pop, "old app_pop");
    expectNothingHappened();
  }
}

TEST_F(UpdateCheck, AnyOtherVersionTextAsksTheQuestion) {
  for (const char* version : {"6.70", "", "6.6", "6.8", "6.7 ", "V6.7"}) {
    SCOPED_TRACE(version);
    p.boxes.shown.clear();
    page.values["app_version"] = version;
    run();
    ASSERT_EQ(p.boxes.shown.size(), 1u);
    const fake::ShownBox& box = p.boxes.shown[0];
    EXPECT_EQ(box.owner, &mainWindow);
    EXPECT_EQ(box.caption, "Velmo鼠标自动点击器升级提示");
    EXPECT_EQ(box.text, "发现新版本,当前版本已不能继续使用.是否现在下载新版本?");
    EXPECT_EQ(box.flags, kMbYesNo | kMbIconInformation);
  }
}

TEST_F(UpdateCheck, YesOpensThePagesDownloadAddressThenEnds) {
  p.boxes.answers = {kIdYes};
  run();
  EXPECT_EQ(p.log.entries,
            (std::vector<std::string>{
                "MessageBoxA(发现新版本,当前版本已不能继续使用.是否现在下载新版本?)",
                "ShellOpen(http://down.velmo.example/velmo68.exe)", "EndApplication"}));
}

TEST_F(UpdateCheck, NoOpensTheMakersUpdatePageThenEnds) {
  p.boxes.answers = {kIdNo};
  run();
  EXPECT_EQ(p.shell.opened, std::vector<std::string>{"http://www.velmo.example/?update"});
  EXPECT_EQ(p.log.entries.back(), "EndApplication");
  EXPECT_EQ(ended, 1);
}

TEST_F(UpdateCheck, YesWithAnAddressThatIsNoWebAddressOpensNothingButStillEnds) {
  for (const char* url : {"", "C:\\Windows\\system32\\cmd.exe", "file:///etc/passwd",
                          "javascript:alert(1)", "calc.exe", "http://", "http://host/a b"}) {
    SCOPED_TRACE(url);
    ended = 0;
    page.values["app_url"] = url;
    p.boxes.answers = {kIdYes};
    run();
    EXPECT_TRUE(p.shell.opened.empty());
    EXPECT_EQ(ended, 1);
  }
}

TEST_F(UpdateCheck, FailingReadIsSwallowedAndKeepsWhatWasReadBefore) {
  page.throwsOn = "app_pop";
  EXPECT_NO_THROW(run());
  EXPECT_EQ(state.is_pop, "1");
  EXPECT_EQ(state.app_pop, "old app_pop");
  expectNothingHappened();
}
