// The program's message box as the user sees it: the icon its kind names,
// the whole caption.
#include <gtest/gtest.h>
#include <wx/wx.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/wx/WxMessageBoxes.h"

using namespace velmo;

namespace {

wxStaticBitmap* iconOf(wxDialog& box) {
  for (wxWindow* child : box.GetChildren())
    if (auto* icon = dynamic_cast<wxStaticBitmap*>(child)) return icon;
  return nullptr;
}

}  // namespace

TEST(MessageBoxA, EachKindShowsItsOwnIconAndTheWholeCaption) {
  const std::string caption = "Velmo鼠标自动点击器提示";
  std::vector<wxImage> icons;
  for (unsigned kind : {kMbIconError, kMbIconQuestion, kMbIconWarning, kMbIconInformation}) {
    const auto box = NewMessageBox(nullptr, "点", caption, kMbOk | kind);
    wxStaticBitmap* icon = iconOf(*box);
    ASSERT_NE(icon, nullptr) << kind;
    ASSERT_TRUE(icon->GetBitmap().IsOk()) << kind;
    icons.push_back(icon->GetBitmap().ConvertToImage());
    // The title bar's buttons need room beside the caption.
    EXPECT_GE(box->GetSize().x, box->GetTextExtent(box->GetTitle()).x + 100) << kind;
  }
  for (size_t i = 0; i < icons.size(); ++i) {
    for (size_t j = i + 1; j < icons.size(); ++j) {
      const size_t bytes = 3u * icons[i].GetWidth() * icons[i].GetHeight();
      EXPECT_FALSE(icons[i].GetSize() == icons[j].GetSize() &&
                   std::equal(icons[i].GetData(), icons[i].GetData() + bytes, icons[j].GetData()))
          << "icons " << i << " and " << j << " look alike";
    }
  }
  EXPECT_EQ(iconOf(*NewMessageBox(nullptr, "点", "提示", kMbOk)), nullptr);
}
