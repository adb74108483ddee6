// The addresses the web windows navigate to or open, gathered so that the
// windows take them from whoever creates them: the program passes its own,
// the window tests the pages of a server on the loopback interface.
#pragma once

#include <string>

namespace velmo {

struct WebPages {
  std::string updatePage;      // main window's wb1 strip
  std::string statistics;      // main window's hidden wb2
  std::string redPacket;       // red-packet popup
  std::string feedbackForm;    // feedback window, at every show
  std::string feedbackPost;    // where the feedback form posts
  std::string makerSite;       // banner, "更多软件", the about box's address
  std::string secondSite;      // "手机赚钱"
  std::string secondSitePost;  // "领红包"
  std::string webDirectory;    // tray menu "上网导航", in the user's own browser
};

// The program's own addresses (WebAddresses.h).
WebPages ProgramWebPages();

}  // namespace velmo
