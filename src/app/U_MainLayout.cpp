// Control building of the main window, at the positions the program gives.
#include <wx/imaglist.h>

#include <algorithm>

#include "app/U_Main.h"
#include "common/Texts.h"
#include "widgets/DialogControls.h"
#include "widgets/DpiLayout.h"
#include "widgets/Resources.h"
#include "widgets/WxText.h"

namespace velmo {

namespace {

constexpr int kClientWidth = 560;
constexpr int kClientHeight = 461;
constexpr int kStatusHeight = 19;
constexpr int kBookHeight = 284;
constexpr int kStripGap = 4;  // between the book and the update strip below it
// wx draws a status field's text this far in from the field's sides.
constexpr int kFieldTextMargin = 5;

wxButton* buttonAt(wxWindow* parent, const char* caption, int left, int top, int width) {
  return new wxButton(parent, wxID_ANY, FromUtf8(caption), wxPoint(left, top),
                      wxSize(width, 25));
}

}  // namespace

void TFrm_Main::buildLayout() {
  SetFont(wxFont(9, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false,
                 "WenQuanYi Micro Hei"));
  wxIcon icon;
  icon.CopyFromBitmap(ProgramIconBitmap());
  SetIcon(icon);
  buildStatusBar();
  client_ = new wxPanel(this, wxID_ANY, wxPoint(0, 0),
                        wxSize(kClientWidth, kClientHeight - kStatusHeight));
  img1 = new wxStaticBitmap(client_, wxID_ANY, BannerBitmap(), wxPoint(0, 0), wxSize(559, 90));
  img1->SetCursor(wxCursor(wxCURSOR_HAND));
  img1->SetToolTip(FromUtf8("Velmo鼠标自动点击器"));
  buildBook();
  buildButtonRow();
  // Created after the notebook so it stands above the tab row.
  chk2 = new wxCheckBox(client_, wxID_ANY, FromUtf8("窗口置顶"), wxPoint(482, 101),
                        wxDefaultSize);
  fitToScreen();
  Centre();
}

void TFrm_Main::buildStatusBar() {
  stat1 = new wxStatusBar(this, wxID_ANY, 0);
  stat1->SetFieldsCount(3);
  // GTK's status bar sizes itself from the font; the layout gives 19 pixels,
  // or what a larger font needs, and the frame takes the height the bar has
  // when it is attached.
  const int textHeight = stat1->GetTextExtent(FromUtf8(kAppTitle)).y;
  stat1->SetSize(-1, -1, -1, std::max(kStatusHeight, textHeight + 2 * stat1->GetBorderY()));
  SetStatusBar(stat1);
  for (const char* text : {kAppTitle, kStartedText, kStoppedText, kFailSafeStoppedText,
                           kInputRefusedStoppedText, kElevatedSkippedText})
    fitStatusPanel(0, stat1->GetTextExtent(FromUtf8(text)).x);
  // The status bar stands inside the 560 x 461 client area of the layout.
  SetClientSize(kClientWidth, kClientHeight - kStatusHeight);
}

void TFrm_Main::buildBook() {
  pgc1 = new wxNotebook(client_, wxID_ANY, wxPoint(1, 93), wxSize(557, kBookHeight));
  auto* icons = new wxImageList(16, 16);
  icons->Add(SingleTabBitmap());
  icons->Add(MultiTabBitmap());
  pgc1->AssignImageList(icons);
  ts1 = new wxPanel(pgc1);
  ts2 = new wxPanel(pgc1);
  pgc1->AddPage(ts1, FromUtf8("单点点击(&S)"), true, 0);
  pgc1->AddPage(ts2, FromUtf8("多点点击(&M)"), false, 1);
  panel_ = std::make_unique<ClickPanel>(ts1, wxPoint(4, 4), 541);
  scripts_ = std::make_unique<ScriptListPage>(ts2);
}

void TFrm_Main::fitToScreen() {
  ScaleLayoutToDpi(this);
  if (ScaledForDpi(this)) {
    // The tab row grows with the font, not with the layout: the check box
    // keeps to it, centred, rather than reach down over the page.
    chk2->SetSize(chk2->GetBestSize());
    const int row = pgc1->GetPage(0)->GetPosition().y;
    chk2->Move(chk2->GetPosition().x,
               pgc1->GetPosition().y + std::max(0, (row - chk2->GetSize().y) / 2));
  }
  FitTexts(this);
  // The update strip, made at start-up, keeps its place below the book when
  // the book grew to hold its pages: the window grows by as much.
  const int grown = pgc1->GetSize().y - FromDIP(kBookHeight);
  if (grown > 0) {
    SetClientSize(FromDIP(kClientWidth), GetClientSize().y + grown);
    client_->SetSize(GetClientSize());
  }
}

void TFrm_Main::fitStatusPanel(int panel, int textWidth) {
  int& width = statusWidths_[panel];
  width = std::max(width, textWidth + 2 * (kFieldTextMargin + stat1->GetBorderX()));
  const int widths[] = {statusWidths_[0], statusWidths_[1], -1};
  stat1->SetStatusWidths(3, widths);
}

void TFrm_Main::fitStatusLine(const std::string& line) {
  const int count = stat1->GetTextExtent(FromUtf8("点击次数:000000")).x;
  const int room = stat1->GetClientSize().x - statusWidths_[1] - count -
                   4 * (kFieldTextMargin + stat1->GetBorderX());
  fitStatusPanel(0, std::min(stat1->GetTextExtent(FromUtf8(line)).x, room));
  if (web_) web_->placeLinkLabel();
  stat1->SetToolTip(FromUtf8(line));
}

wxPoint TFrm_Main::updateStripAt() const {
  return wxPoint(1, pgc1->GetRect().GetBottom() + 1 + kStripGap);
}

void TFrm_Main::buildButtonRow() {
  constexpr int top = 206;
  btn2 = buttonAt(ts1, "关于软件(&A)", 9, top, 85);
  btn4 = buttonAt(ts1, "更多软件(&M)", 100, top, 86);
  btn3 = buttonAt(ts1, "意见反馈", 194, top, 75);
  btn12 = buttonAt(ts1, "手机赚钱", 280, top, 75);
  btn5 = buttonAt(ts1, "领红包", 360, top, 75);
  btn6 = buttonAt(ts1, "退出软件(&E)", 445, top, 85);
  btn12->SetForegroundColour(*wxRED);
  btn5->SetForegroundColour(*wxRED);
}

}  // namespace velmo
