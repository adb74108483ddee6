#include <gtest/gtest.h>

#include "web/Scramble.h"
#include "web/UpdateCheck.h"
#include "web/WebAddresses.h"

using namespace velmo;

namespace {

bool isUpperHex(const std::string& text) {
  return text.size() % 2 == 0 && text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

}  // namespace

TEST(ScrambledAddresses, AreUpperCaseHexOfTheirPlainValues) {
  EXPECT_TRUE(isUpperHex(kUpdatePageScrambled));
  EXPECT_TRUE(isUpperHex(kHomeLinkScrambled));
  EXPECT_EQ(UpdatePageAddress(), "http://www.velmo.example/update/v67.htm");
  EXPECT_EQ(HomeLinkText(), "http://www.velmo.example");
}

TEST(ScrambledAddresses, HomeLinkOpensTheMakersSite) {
  EXPECT_EQ(HomeLinkText() + "/", MakerSiteAddress());
  EXPECT_EQ(HomeLinkText() + "/?update", MakerUpdateAddress());
}

TEST(WebAddresses, EveryBuiltInAddressPassesTheProgramsOwnCheck) {
  for (const std::string& address :
       {StatisticsHomeAddress(), FeedbackFormAddress(), FeedbackPostAddress(), RedPacketAddress(),
        MakerSiteAddress(), MakerUpdateAddress(), SecondSiteAddress(), SecondSitePostAddress(),
        WebDirectoryAddress(), DownloadSiteAddress(), ErrorReportAddress(), UpdatePageAddress()}) {
    EXPECT_TRUE(IsWebAddress(address)) << address;
  }
}

TEST(IsWebAddress, AcceptsHttpAndHttpsWithAHostInAnyCase) {
  for (const char* text : {"http://a", "https://www.velmo.example/x.exe", "HTTP://VELMO.EXAMPLE",
                           "hTtPs://127.0.0.1:8080/update.htm?v=6.8#top", "http://user@host/",
                           "http://[::1]:80/", "http://下载.example/新版本.exe"}) {
    EXPECT_TRUE(IsWebAddress(text)) << text;
  }
}

TEST(IsWebAddress, RefusesWhatCouldNameALocalProgramOrFile) {
  for (const char* text : {"",
                           "calc.exe",
                           "C:\\Windows\\system32\\cmd.exe",
                           "/usr/bin/xterm",
                           "file:///etc/passwd",
                           "javascript:alert(1)",
                           "ftp://host/",
                           "mailto:a@b",
                           "http:/host",
                           "http:host",
                           "httpx://host",
                           " http://host",
                           "http://host\n",
                           "http://ho st/",
                           "http://host/a b",
                           "http://host\t",
                           "http://host\x7f",
                           "http://",
                           "https://",
                           "http:///path",
                           "http://:80/",
                           "http://user@/",
                           "http://?q",
                           "http://#f",
                           "http://\\\\server\\share"}) {
    EXPECT_FALSE(IsWebAddress(text)) << text;
  }
}

TEST(WantsClosePage, OnlyForExactlyOneAndAWebAddress) {
  EXPECT_TRUE(WantsClosePage({"1", "http://www.velmo.example/bye.htm"}));
  EXPECT_FALSE(WantsClosePage({"0", "http://www.velmo.example/bye.htm"}));
  EXPECT_FALSE(WantsClosePage({"1 ", "http://www.velmo.example/bye.htm"}));
  EXPECT_FALSE(WantsClosePage({"", "http://www.velmo.example/bye.htm"}));
  EXPECT_FALSE(WantsClosePage({"1", "file:///etc/passwd"}));
  EXPECT_FALSE(WantsClosePage({"1", ""}));
}
