#include "web/WebAddresses.h"

#include "web/Scramble.h"

namespace velmo {

namespace {

// Hosts under the reserved ".example" domain: they never reach a stranger's server.
constexpr const char* kStatisticsHost = "http://tongji.velmo.example";
constexpr const char* kMakerHost = "http://www.velmo.example";
constexpr const char* kSecondHost = "http://zhuan.velmo.example";
constexpr const char* kWebDirectoryHost = "http://daohang.velmo.example";
constexpr const char* kDownloadHost = "http://down.velmo.example";
constexpr const char* kErrorReportHost = "http://error.velmo.example";

std::string at(const char* host, const char* path) { return std::string(host) + path; }

}  // namespace

std::string StatisticsHomeAddress() { return at(kStatisticsHost, "/tongji/home.htm"); }
std::string FeedbackFormAddress() {
  return at(kStatisticsHost, "/tongji/feedback.php?id=1&ver=6.3");
}
std::string FeedbackPostAddress() { return at(kStatisticsHost, "/tongji/post.php"); }
std::string RedPacketAddress() { return at(kStatisticsHost, "/hongbao/index1.html"); }

std::string MakerSiteAddress() { return at(kMakerHost, "/"); }
std::string MakerUpdateAddress() { return at(kMakerHost, "/?update"); }

std::string SecondSiteAddress() { return at(kSecondHost, "/"); }
std::string SecondSitePostAddress() { return at(kSecondHost, "/post/78.html"); }

std::string WebDirectoryAddress() { return at(kWebDirectoryHost, "/"); }

std::string DownloadSiteAddress() { return at(kDownloadHost, "/"); }
std::string ErrorReportAddress() { return at(kErrorReportHost, "/?error"); }

std::string UpdatePageAddress() { return DescrambleText(kUpdatePageScrambled); }
std::string HomeLinkText() { return DescrambleText(kHomeLinkScrambled); }

}  // namespace velmo
