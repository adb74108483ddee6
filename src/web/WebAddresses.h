// Every server address the program knows. The hosts are ours and sit only in
// WebAddresses.cpp (and, scrambled, in the two constants below).
#pragma once

#include <string>

namespace velmo {

// Statistics server.
std::string StatisticsHomeAddress();  // main window's hidden wb2
std::string FeedbackFormAddress();    // feedback window, at every show
std::string FeedbackPostAddress();    // where the feedback form posts; confirms a sent feedback
std::string RedPacketAddress();       // red-packet popup

// The maker's site: its root (banner, "更多软件", about box) and the page
// opened when the user declines the update download.
std::string MakerSiteAddress();
std::string MakerUpdateAddress();

// The second site: its root ("手机赚钱") and "领红包".
std::string SecondSiteAddress();
std::string SecondSitePostAddress();

// Opened in the user's own browser from the tray menu ("上网导航").
std::string WebDirectoryAddress();

// Named in the missing-data message, and the page opened with it.
std::string DownloadSiteAddress();
std::string ErrorReportAddress();

// Stored scrambled (see Scramble.h): the page of the main window's update
// strip, and the status-bar home-page link, whose caption is also the
// address it opens.
inline constexpr const char* kUpdatePageScrambled =
    "32B763FE11DB4EEA2DB439F84E980CF274A66FEF46840DF875B667EA4A8004B22CF520A043800C";
inline constexpr const char* kHomeLinkScrambled =
    "32B763FE11DB4EEA2DB439F84E980CF274A66FEF46840DF8";

std::string UpdatePageAddress();
std::string HomeLinkText();

}  // namespace velmo
