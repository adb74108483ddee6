// The second tab page: the script list lv2 with its hint, its buttons (the
// six commands in a row below, export and import under the list) and its
// popup menu pm2. The rows are the program's only in-memory copy of the
// scripts and the only place a script's enabled state exists.
#pragma once

#include <wx/listctrl.h>
#include <wx/wx.h>

#include <array>
#include <vector>

#include "scripts/ScriptRunner.h"
#include "scripts/ScriptStore.h"

namespace velmo {

inline constexpr const char* kEnabledText = "已启用";
inline constexpr const char* kDisabledText = "未启用";
inline const wxColour EnabledRowColour(166, 202, 240);

// The list window. Its rows are held here and drawn on demand, so a list of
// thousands of scripts fills at once; the enabled colour is chosen as each
// row is drawn.
class ScriptListView : public wxListCtrl {
 public:
  static constexpr int kColumns = 7;
  using Row = std::array<std::string, kColumns>;

  ScriptListView(wxWindow* parent, wxPoint at, wxSize size);

  std::vector<Row> rows;

 protected:
  wxString OnGetItemText(long item, long column) const override;
  wxItemAttr* OnGetItemAttr(long item) const override;

 private:
  mutable wxItemAttr enabledAttr_;
};

class ScriptListPage : public ScriptRows {
 public:
  // Column positions of a row.
  enum Column { ColId, ColName, ColHotkey, ColStopHotkey, ColPoints, ColLoopCount, ColStatus };

  explicit ScriptListPage(wxWindow* page);

  void clear();
  void append(const ScriptRecord& record, const std::string& stopHotkey);
  // The selected row, or -1.
  int selected() const;
  std::string cell(int row, Column column) const;
  // The row of the script with that id, or -1.
  int rowOfId(const std::string& id) const;
  void setStatus(int row, const std::string& status);
  // Paints enabled rows in EnabledRowColour, the others in the list's own.
  void lv2CustomDrawItem(int row);

  int rowCount() override;
  std::string idText(int row) override;
  std::string pointsText(int row) override;
  std::string loopCountText(int row) override;

  wxStaticBox* grp2;
  ScriptListView* lv2;
  wxStaticText* lbl16;
  wxButton* btn7;
  wxButton* btn8;
  wxButton* btn9;
  wxButton* btn17;
  wxButton* btn10;
  wxButton* btn11;
  wxButton* btn19;  // export
  wxButton* btn20;  // import
  wxMenu* pm2;  // owned by the page's window after PopupMenu; kept for the window's life
  wxMenuItem* N6;
  wxMenuItem* N7;
  wxMenuItem* N8;

 private:
  std::unique_ptr<wxMenu> menu_;
};

}  // namespace velmo
