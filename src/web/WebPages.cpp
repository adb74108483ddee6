#include "web/WebPages.h"

#include "web/WebAddresses.h"

namespace velmo {

WebPages ProgramWebPages() {
  WebPages pages;
  pages.updatePage = UpdatePageAddress();
  pages.statistics = StatisticsHomeAddress();
  pages.redPacket = RedPacketAddress();
  pages.feedbackForm = FeedbackFormAddress();
  pages.feedbackPost = FeedbackPostAddress();
  pages.makerSite = MakerSiteAddress();
  pages.secondSite = SecondSiteAddress();
  pages.secondSitePost = SecondSitePostAddress();
  pages.webDirectory = WebDirectoryAddress();
  return pages;
}

}  // namespace velmo
