// The main window's commands on the script list and the script dispatch.
#include <wx/filedlg.h>

#include "app/U_Main.h"
#include "common/Errors.h"
#include "common/ScopeExit.h"
#include "common/Texts.h"
#include "scripts/PointList.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptSharing.h"
#include "settings/ClickerSettings.h"
#include "ui/scripts/U_AddMp.h"
#include "ui/scripts/U_ModMp.h"
#include "ui/scripts/U_shotkey.h"
#include "widgets/DialogControls.h"
#include "widgets/WxText.h"

namespace velmo {

namespace {
const std::string kSelectToDelete = "请选择您要删除的记录";
const char* const kScriptFileTypes = "脚本文件 (*.txt)|*.txt|所有文件 (*)|*";
}

void TFrm_Main::bindScriptHandlers() {
  ScriptListPage& page = *scripts_;
  page.btn10->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn10Click(); });
  page.btn11->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn11Click(); });
  page.btn9->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn9Click(); });
  page.pm2->Bind(wxEVT_MENU, [this](wxCommandEvent&) { btn9Click(); }, page.N8->GetId());
  page.btn7->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn7Click(); });
  page.pm2->Bind(wxEVT_MENU, [this](wxCommandEvent&) { btn7Click(); }, page.N6->GetId());
  page.btn8->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn8Click(); });
  page.pm2->Bind(wxEVT_MENU, [this](wxCommandEvent&) { btn8Click(); }, page.N7->GetId());
  // A double click on a row activates it.
  page.lv2->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { lv2DblClick(); });
  page.btn17->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn17Click(); });
  page.btn19->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn19Click(); });
  page.btn20->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn20Click(); });
}

void TFrm_Main::useScriptDialogs(const ScriptWindows& windows) {
  Frm_AddMP_ = windows.Frm_AddMP;
  Frm_ModMP_ = windows.Frm_ModMP;
  Frm_shotkey_ = windows.Frm_shotkey;
}

ScriptStore& TFrm_Main::store() {
  if (!dm1_) throw AppError("data module is not ready");
  return dm1_->con1;
}

void TFrm_Main::LoadScriptList() {
  const std::string stopHotkey = ReadStopHotkey(settings_);
  scripts_->clear();
  for (const ScriptRecord& record : store().SelectAll()) scripts_->append(record, stopHotkey);
}

void TFrm_Main::btn10Click() {
  const int row = scripts_->selected();
  if (row < 0) return;
  try {
    if (registrar_->RegisterScriptHotkey(scripts_->cell(row, ScriptListPage::ColHotkey),
                                         scripts_->cell(row, ScriptListPage::ColId)))
      scripts_->setStatus(row, kEnabledText);
  } catch (const std::exception&) {
    // Enabling says nothing about a hotkey text it cannot use.
  }
  scripts_->lv2CustomDrawItem(row);
}

void TFrm_Main::btn11Click() {
  const int row = scripts_->selected();
  if (row < 0) return;
  try {
    scripts_->setStatus(row, kDisabledText);
    platform_.hotkeys.UnregisterHotKey(this, StrToInt(scripts_->cell(row, ScriptListPage::ColId)));
  } catch (const std::exception&) {
    // Disabling is silent.
  }
  scripts_->lv2CustomDrawItem(row);
}

void TFrm_Main::btn9Click() {
  const int row = scripts_->selected();
  if (row < 0) {
    platform_.boxes.MessageBoxA(this, kSelectToDelete, kMainCaption, kMbIconInformation);
    return;
  }
  try {
    if (platform_.boxes.MessageBoxA(this, "是否要删除选定的记录", kMainCaption,
                                    kMbYesNo | kMbIconQuestion) != kIdYes)
      return;
    store().DeleteById(scripts_->cell(row, ScriptListPage::ColId));
    LoadScriptList();
  } catch (const std::exception&) {
    platform_.boxes.MessageBoxA(this, kSelectToDelete, kMainCaption, kMbIconInformation);
  }
}

void TFrm_Main::btn7Click() {
  Frm_AddMP_->clearScript();
  Frm_AddMP_->execute();
}

void TFrm_Main::btn8Click() {
  const int row = scripts_->selected();
  if (row < 0) {
    platform_.boxes.MessageBoxA(this, "请选择要修改的项目.", kMainCaption, kMbIconInformation);
    return;
  }
  try {
    fillModifyDialog(row);
  } catch (const std::exception&) {
    // A stored entry with a missing field; what was filled stays filled.
    platform_.boxes.MessageBoxA(this, "修改项目出错,请联系软件作者.", kMainCaption, kMbIconWarning);
    return;
  }
  Frm_ModMP_->execute();
}

void TFrm_Main::fillModifyDialog(int row) {
  const auto cell = [this, row](ScriptListPage::Column column) {
    return scripts_->cell(row, column);
  };
  Frm_ModMP_->loadScript(cell(ScriptListPage::ColName), cell(ScriptListPage::ColLoopCount),
                         cell(ScriptListPage::ColHotkey), cell(ScriptListPage::ColPoints));
}

void TFrm_Main::lv2DblClick() {
  if (scripts_->selected() >= 0) btn8Click();
}

void TFrm_Main::btn17Click() { Frm_shotkey_->execute(); }

void TFrm_Main::btn19Click() {
  const int row = scripts_->selected();
  std::vector<std::string> names;
  if (row >= 0) names.push_back(scripts_->cell(row, ScriptListPage::ColName));
  wxFileDialog dialog(this, FromUtf8("导出脚本"), wxEmptyString, "velmo-scripts.txt",
                      FromUtf8(kScriptFileTypes), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (dialog.ShowModal() != wxID_OK) return;
  const std::string path = ToUtf8(dialog.GetPath());
  const size_t count = ExportToFile(store(), names, path);
  platform_.boxes.MessageBoxA(this, ExportedText(count, path), kMainCaption, kMbIconInformation);
}

void TFrm_Main::btn20Click() {
  wxFileDialog dialog(this, FromUtf8("导入脚本"), wxEmptyString, wxEmptyString,
                      FromUtf8(kScriptFileTypes), wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return;
  const std::string path = ToUtf8(dialog.GetPath());
  std::vector<std::string> names;
  try {
    names = ImportFromFile(store(), path);
  } catch (const ScriptFileError& error) {
    platform_.boxes.MessageBoxA(this, RefusedFileText(path, error.what()), kMainCaption,
                                kMbIconWarning);
    return;
  }
  LoadScriptList();
  platform_.boxes.MessageBoxA(this, ImportedText(names), kMainCaption, kMbIconInformation);
}

void TFrm_Main::RunScriptByHotkeyId(const std::string& idText) {
  endGate_.runStarted();
  const ScopeExit ended([this] { carryOutHeldEnd(); });
  runner_->RunScriptByHotkeyId(idText, *scripts_);
}

void TFrm_Main::carryOutHeldEnd() {
  const std::optional<EndKind> held = endGate_.runEnded();
  if (!held) return;
  // From the event loop, once the hotkey's handling has returned: a run that
  // starts before then holds the request again.
  CallAfter([this, kind = *held] {
    if (kind == EndKind::Close) Close();
    else endApplication();
  });
}

}  // namespace velmo
