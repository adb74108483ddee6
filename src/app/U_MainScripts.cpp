// The main window's commands on the script list and the script dispatch.
#include "app/U_Main.h"
#include "app/ClickerSettings.h"
#include "common/Errors.h"
#include "common/Texts.h"

namespace velmo {

namespace {
const std::string kSelectToDelete = "请选择您要删除的记录";
}

void TFrm_Main::bindScriptHandlers() {
  ScriptListPage& page = *scripts_;
  page.btn10->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn10Click(); });
  page.btn11->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn11Click(); });
  page.btn9->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn9Click(); });
  page.pm2->Bind(wxEVT_MENU, [this](wxCommandEvent&) { btn9Click(); }, page.N8->GetId());
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
    platform_.boxes.MessageBox(this, kSelectToDelete, kMainCaption, MB_ICONINFORMATION);
    return;
  }
  try {
    if (platform_.boxes.MessageBox(this, "是否要删除选定的记录", kMainCaption,
                                   MB_YESNO | MB_ICONQUESTION) != IDYES)
      return;
    store().DeleteById(scripts_->cell(row, ScriptListPage::ColId));
    LoadScriptList();
  } catch (const std::exception&) {
    platform_.boxes.MessageBox(this, kSelectToDelete, kMainCaption, MB_ICONINFORMATION);
  }
}

void TFrm_Main::RunScriptByHotkeyId(const std::string& idText) {
  runner_->RunScriptByHotkeyId(idText, *scripts_);
}

}  // namespace velmo
