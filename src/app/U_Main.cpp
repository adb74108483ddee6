#include "app/U_Main.h"

#include <cstdio>
#include <random>

#include "clicker/IntervalJitter.h"
#include "clicker/KeyAndHold.h"
#include "common/Errors.h"
#include "common/Texts.h"
#include "hotkeys/HotkeyText.h"
#include "hotkeys/PortalHotkeysLine.h"
#include "settings/ClickerSettings.h"
#include "widgets/WxText.h"

namespace velmo {

TFrm_Main::TFrm_Main(Platform& platform, const DataFolders& folders)
    : wxFrame(nullptr, wxID_ANY, FromUtf8(kAppTitle), wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX | wxCLIP_CHILDREN),
      platform_(platform),
      timers_(platform.timers, *this),
      folders_(folders),
      settings_(folders_.settingsFile) {
  buildLayout();
  Frm_Advanced_ = new TFrm_Advanced(this);
  engine_ = std::make_unique<ClickEngine>(platform_.mouse, timers_, this, *panel_, *this,
                                          std::random_device{}());
  registrar_ = std::make_unique<HotkeyRegistrar>(platform_.hotkeys, platform_.boxes, this, this);
  runner_ = std::make_unique<ScriptRunner>(platform_.mouse, platform_.pump, platform_.boxes, this,
                                           StopRequested);
  bindHandlers();
  bindScriptHandlers();
}

TFrm_Main::~TFrm_Main() {
  // The click timer and the hotkeys end with the window.
  platform_.timers.KillTimer(this, ClickTimerId);
}

void TFrm_Main::bindHandlers() {
  panel_->btn1->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn1Click(); });
  panel_->btn18->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn18Click(); });
  chk2->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { chk2Click(); });
  btn6->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { btn6Click(); });
  Bind(wxEVT_CLOSE_WINDOW, &TFrm_Main::FormCloseQuery, this);
  // Ctrl+Tab and Ctrl+Shift+Tab turn the pages, as in a Windows page control;
  // GTK's book has only Ctrl+PageDown and Ctrl+PageUp.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_TAB && event.ControlDown() && !event.AltDown())
      pgc1->AdvanceSelection(!event.ShiftDown());
    else
      event.Skip();
  });
}

void TFrm_Main::FormShow() {
  if (web_) web_->showPopupAndLinkCaption();
  CopyIfMissing(folders_.firstRunCopyFrom, folders_.firstRunCopyTo);
  if (web_) web_->navigateStatistics();
  setStatusText(0, kAppTitle);
  LoadScriptList();
  if (web_) web_->navigateUpdateStrip();
  if (web_) web_->placeLinkLabel();
  const ClickerSettings loaded = ReadClickerSettings(settings_);
  panel_->LoadClickerSettings(loaded);
  Frm_Advanced_->LoadClickerSettings(loaded);
  engine_->ClickInterval = ConvertSetting(settings_, "time", [&] {
    return TimeTextToInterval(ToUtf8(panel_->cbb3->GetValue()), engine_->ClickInterval);
  });
  ClickHotkeyRegistered = ConvertSetting(settings_, "hotkey2", [&] {
    return registrar_->RegisterClickHotkey(ToUtf8(panel_->cbb4->GetValue()),
                                           ToUtf8(panel_->cbb5->GetValue()));
  });
  ConvertSetting(settings_, "stophotkey",
                 [&] { registrar_->RegisterStopHotkey(ReadStopHotkey(settings_)); });
  // Last: a bad value leaves the clicker its fixed period and its hotkeys,
  // and the other options as they are.
  Guarded([&] {
    engine_->ClickJitter =
        ConvertSetting(settings_, "jitter", [&] { return JitterTextToPercent(loaded.jitter); });
  });
  Guarded([&] {
    engine_->ClickFailSafe = ConvertSetting(settings_, "failsafe",
                                            [&] { return FailSafeTextToSwitch(loaded.failsafe); });
  });
  Guarded([&] {
    engine_->ClickHold =
        ConvertSetting(settings_, "hold", [&] { return HoldTextToMs(loaded.hold); });
  });
  Guarded([&] {
    engine_->ClickKey = ConvertSetting(settings_, "keypress", [&] {
      const std::optional<unsigned> key = KeyNameToVk(loaded.keypress);
      if (key && IsKeyOfHotkeys(*key, ownHotkeyTexts(loaded)))
        throw ConvertError(Quoted(loaded.keypress) + " is the key of one of Velmo's hotkeys");
      return key;
    });
  });
}

void TFrm_Main::showSessionNotice(const SessionFacts& session) {
  sessionLine_ = SessionNoticeLine(session);
  if (sessionLine_.empty()) return;
  showSessionLine();
  std::fprintf(stderr, "Velmo: %s\n", sessionLine_.c_str());
  const std::string name = SessionNoticeName(session);
  if (settings_.ReadString("setting", "sessionnotice", "") == name) return;
  const std::string clicker = CombineHotkeyText(ToUtf8(panel_->cbb4->GetValue()),
                                                ToUtf8(panel_->cbb5->GetValue()));
  platform_.boxes.MessageBoxA(this, SessionNoticeText(session, clicker, ReadStopHotkey(settings_)),
                              kAppTitle, kMbIconInformation);
  settings_.WriteString("setting", "sessionnotice", name);
}

void TFrm_Main::showSessionLine() {
  const std::string& line = portalHotkeysLine_.empty() ? sessionLine_ : portalHotkeysLine_;
  fitStatusLine(line);
  setStatusText(0, line);
}

void TFrm_Main::hotkeysAnswered(const std::vector<HotkeyOutcome>& outcomes) {
  Guarded([&] {
    portalHotkeysLine_ = PortalHotkeysLine(outcomes, [this](int id) {
      const int row = scripts_->rowOfId(std::to_string(id));
      return row >= 0 ? scripts_->cell(row, ScriptListPage::ColName) : std::to_string(id);
    });
    showSessionLine();
    std::fprintf(stderr, "Velmo: %s\n", portalHotkeysLine_.c_str());
    for (const HotkeyOutcome& outcome : outcomes)
      if (!outcome.bound) hotkeyRefused(outcome.id);
  });
}

void TFrm_Main::hotkeyRefused(int id) {
  if (id == ClickHotkeyId) ClickHotkeyRegistered = false;
  const int row = scripts_->rowOfId(std::to_string(id));
  if (id != ClickHotkeyId && id != StopHotkeyId && row >= 0) {
    scripts_->setStatus(row, kDisabledText);
    scripts_->lv2CustomDrawItem(row);
  }
  registrar_->ReportRefused(id);
}

std::vector<std::string> TFrm_Main::ownHotkeyTexts(const ClickerSettings& s) {
  std::vector<std::string> texts = {CombineHotkeyText(s.hotkey1, s.hotkey2),
                                    ReadStopHotkey(settings_)};
  for (int row = 0; row < scripts_->rowCount(); ++row) {
    texts.push_back(scripts_->cell(row, ScriptListPage::ColHotkey));
    texts.push_back(scripts_->cell(row, ScriptListPage::ColStopHotkey));
  }
  return texts;
}

void TFrm_Main::WMHotKey(int id) {
  Guarded([&] {
    if (id == ClickHotkeyId) {
      engine_->ToggleClicker();
      return;
    }
    if (id == StopHotkeyId) StopRequested = "1";
    RunScriptByHotkeyId(std::to_string(id));
  });
}

void TFrm_Main::setStatusText(int panel, const std::string& text) {
  stat1->SetStatusText(FromUtf8(text), panel);
}

void TFrm_Main::btn1Click() {
  ClickHotkeyRegistered = registrar_->RegisterClickHotkey(ToUtf8(panel_->cbb4->GetValue()),
                                                          ToUtf8(panel_->cbb5->GetValue()));
  if (!ClickHotkeyRegistered) return;
  ClickerSettings s = panel_->currentSettings();
  Frm_Advanced_->putKeptSettings(s);
  // Checked before writing: setting.ini never holds an option the clicker refuses.
  const int jitter =
      ConvertSetting(settings_, "jitter", [&] { return JitterTextToPercent(s.jitter); });
  const bool failSafe =
      ConvertSetting(settings_, "failsafe", [&] { return FailSafeTextToSwitch(s.failsafe); });
  const int hold = ConvertSetting(settings_, "hold", [&] { return HoldTextToMs(s.hold); });
  const std::optional<unsigned> key =
      ConvertSetting(settings_, "keypress", [&] { return KeyNameToVk(s.keypress); });
  if (const std::string refusal = optionRefusal(s, key, hold, jitter); !refusal.empty()) {
    platform_.boxes.MessageBoxA(this, refusal, kMainCaption, kMbIconWarning);
    return;
  }
  WriteClickerSettings(settings_, s);
  engine_->ClickJitter = jitter;
  engine_->ClickFailSafe = failSafe;
  engine_->ClickHold = hold;
  engine_->ClickKey = key;
  engine_->ClickInterval = TimeTextToInterval(s.time, engine_->ClickInterval);
  engine_->ClickCount = 0;
  platform_.boxes.MessageBoxA(this,
                              "设置保存成功,请记住你设置的 " + s.hotkey1 + "+" + s.hotkey2 +
                                  " 启动热键.\r请按你设置的热键启动点击器,停止的热键也是这个.\r"
                                  "就是点击器运行后再按一次热键就停止点击器.",
                              kMainCaption, kMbIconInformation);
}

std::string TFrm_Main::optionRefusal(const ClickerSettings& s, std::optional<unsigned> key,
                                     int hold, int jitter) {
  if (key && IsKeyOfHotkeys(*key, ownHotkeyTexts(s)))
    return "按键" + s.keypress + "是本程序的热键,按下它会启动或停止本程序的点击.请选择别的按键.";
  int interval = engine_->ClickInterval;
  try {
    interval = TimeTextToInterval(s.time, interval);
  } catch (const ConvertError&) {
    // The time text is reported as before, after the write.
  }
  if (!HoldFitsInterval(hold, s.btn_type != "单击", interval, jitter))
    return "按住时间" + s.hold + "毫秒太长,在" + s.time +
           "秒一次的点击间隔里放不下(双击要按住两次),按键松开前就到了下一次点击.请缩短按住时间或加大间隔.";
  return {};
}

void TFrm_Main::btn18Click() { Frm_Advanced_->execute(); }

void TFrm_Main::chk2Click() {
  const long style = GetWindowStyleFlag();
  SetWindowStyleFlag(chk2->GetValue() ? style | wxSTAY_ON_TOP : style & ~wxSTAY_ON_TOP);
}

void TFrm_Main::btn6Click() { Close(); }

void TFrm_Main::endApplication() {
  if (endGate_.admit(EndKind::Terminate)) wxTheApp->ExitMainLoop();
}

void TFrm_Main::FormCloseQuery(wxCloseEvent& event) {
  // The close query never refuses: closing the main window ends the program,
  // during a script run once the run has ended.
  if (event.CanVeto() && !endGate_.admit(EndKind::Close)) {
    event.Veto();
    return;
  }
  if (web_) Guarded([this] { web_->closeTimePage(); });
  Destroy();
  // Hidden windows (dialogs, web windows) must not keep the program alive.
  wxTheApp->ExitMainLoop();
}

void TFrm_Main::RegisterStopHotkey(const std::string& hotkeyText) {
  registrar_->RegisterStopHotkey(hotkeyText);
}

void TFrm_Main::setClosePageState(const ClosePageState& state) {
  is_pop = state.is_pop;
  app_pop = state.app_pop;
}

void TFrm_Main::ReportError(const std::exception& error) {
  platform_.boxes.MessageBoxA(this, ErrorReportText(error.what()), kAppTitle, kMbIconError);
}

}  // namespace velmo
