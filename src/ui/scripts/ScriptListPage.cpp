#include "ui/scripts/ScriptListPage.h"

#include "widgets/DialogControls.h"
#include "widgets/WxText.h"

namespace velmo {

namespace {

wxButton* buttonAt(wxWindow* parent, const char* caption, int& left, int top, int width) {
  auto* button = new wxButton(parent, wxID_ANY, FromUtf8(caption), wxPoint(left, top),
                              wxSize(width, 28));
  left += width + 6;
  return button;
}

}  // namespace

ScriptListView::ScriptListView(wxWindow* parent, wxPoint at, wxSize size)
    : wxListCtrl(parent, wxID_ANY, at, size,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_HRULES | wxLC_VRULES | wxLC_SINGLE_SEL) {
  enabledAttr_.SetBackgroundColour(EnabledRowColour);
}

wxString ScriptListView::OnGetItemText(long item, long column) const {
  return FromUtf8(rows.at(static_cast<size_t>(item)).at(static_cast<size_t>(column)));
}

wxItemAttr* ScriptListView::OnGetItemAttr(long item) const {
  const bool enabled =
      rows.at(static_cast<size_t>(item))[ScriptListPage::ColStatus] == kEnabledText;
  return enabled ? &enabledAttr_ : nullptr;
}

ScriptListPage::ScriptListPage(wxWindow* page) : menu_(std::make_unique<wxMenu>()) {
  grp2 = new wxStaticBox(page, wxID_ANY, FromUtf8("多坐标点击"), wxPoint(4, 4),
                         wxSize(541, 236));
  lv2 = new ScriptListView(page, wxPoint(12, 22), wxSize(525, 120));
  const std::pair<const char*, int> columns[] = {{"行号", 40},     {"脚本名称", 120},
                                                 {"启动热键", 90}, {"停止热键", 70},
                                                 {"", 0},          {"点击次数", 100},
                                                 {"状态", 100}};
  // The points column holds the rows' point lists for the runner, unseen: at
  // any width its text would show as a sliver beside the loop count.
  for (const auto& [caption, width] : columns)
    lv2->AppendColumn(FromUtf8(caption), wxLIST_FORMAT_LEFT, width);

  lbl16 = new wxStaticText(page, wxID_ANY,
                           FromUtf8("点击选中脚本记录后，点击启用按钮启用脚本,,只有启用了"
                                              "脚本才能按设置好的热键运行点击."),
                           wxPoint(12, 178));
  lbl16->SetForegroundColour(wxColour(0, 128, 0));

  int left = 12;
  constexpr int top = 200;
  btn7 = buttonAt(page, "添加(&A)", left, top, 74);
  btn8 = buttonAt(page, "修改(&M)", left, top, 76);
  btn9 = buttonAt(page, "删除(&D)", left, top, 72);
  btn17 = buttonAt(page, "停止热键设置(&P)", left, top, 109);
  btn10 = buttonAt(page, "启用(&S)", left, top, 78);
  btn11 = buttonAt(page, "停用(&T)", left, top, 85);
  int shareLeft = 387;
  btn19 = buttonAt(page, "导出(&X)", shareLeft, 145, 72);
  btn20 = buttonAt(page, "导入(&I)", shareLeft, 145, 72);

  pm2 = menu_.get();
  N6 = pm2->Append(wxID_ANY, FromUtf8("添加脚本"));
  N7 = pm2->Append(wxID_ANY, FromUtf8("修改脚本"));
  N8 = pm2->Append(wxID_ANY, FromUtf8("删除脚本"));
  SpaceSelectsFocusedRow(lv2);
  lv2->Bind(wxEVT_CONTEXT_MENU, [this](wxContextMenuEvent&) { lv2->PopupMenu(pm2); });
}

void ScriptListPage::clear() {
  lv2->rows.clear();
  lv2->SetItemCount(0);
}

void ScriptListPage::append(const ScriptRecord& record, const std::string& stopHotkey) {
  lv2->rows.push_back({record.id, record.name, record.hotkey, stopHotkey, record.points,
                       record.clicknum, kDisabledText});
  lv2->SetItemCount(static_cast<long>(lv2->rows.size()));
}

int ScriptListPage::selected() const {
  return static_cast<int>(lv2->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

std::string ScriptListPage::cell(int row, Column column) const {
  return lv2->rows.at(static_cast<size_t>(row)).at(column);
}

int ScriptListPage::rowOfId(const std::string& id) const {
  for (std::size_t row = 0; row < lv2->rows.size(); ++row)
    if (lv2->rows[row][ColId] == id) return static_cast<int>(row);
  return -1;
}

void ScriptListPage::setStatus(int row, const std::string& status) {
  lv2->rows.at(static_cast<size_t>(row))[ColStatus] = status;
}

void ScriptListPage::lv2CustomDrawItem(int row) { lv2->RefreshItem(row); }

int ScriptListPage::rowCount() { return static_cast<int>(lv2->rows.size()); }
std::string ScriptListPage::idText(int row) { return cell(row, ColId); }
std::string ScriptListPage::pointsText(int row) { return cell(row, ColPoints); }
std::string ScriptListPage::loopCountText(int row) { return cell(row, ColLoopCount); }

}  // namespace velmo
