// The main window: banner, the two tab pages, the always-on-top switch, the
// status bar, and the program-wide state (interval, count, hotkeys, stop
// request). Its rules live in the logic classes it owns.
#pragma once

#include <wx/notebook.h>
#include <wx/wx.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clicker/ClickEngine.h"
#include "hotkeys/HotkeyRegistrar.h"
#include "platform/Platform.h"
#include "platform/SessionNotice.h"
#include "scripts/EndGate.h"
#include "scripts/RemoteRequests.h"
#include "scripts/ScriptRunner.h"
#include "scripts/U_dm.h"
#include "settings/DataFolders.h"
#include "settings/ProfileFile.h"
#include "ui/clicker/ClickPanel.h"
#include "ui/clicker/U_Advanced.h"
#include "ui/scripts/ScriptDialogHost.h"
#include "ui/scripts/ScriptListPage.h"
#include "ui/scripts/ScriptWindows.h"
#include "ui/web/MainWebHost.h"

namespace velmo {

// Host of the script dialogs and of the web parts, which see only that much of it.
class TFrm_Main : public wxFrame,
                  public HotkeySink,
                  public StatusView,
                  public ScriptDialogHost,
                  public MainWebHost {
 public:
  // `folders` says where setting.ini and its first-run copy main.ini live.
  TFrm_Main(Platform& platform, const DataFolders& folders);
  ~TFrm_Main() override;

  // The start-up sequence, run once when the message loop first shows the window.
  void FormShow();
  // After FormShow: what works on this desktop session, in the status bar,
  // and in a box the first time the program meets such a session.
  void showSessionNotice(const SessionFacts& session);

  void WMHotKey(int id) override;
  // The desktop portal's answer: the keys it gave the hotkeys in the status
  // bar, and a refused one like a conflict at registration.
  void hotkeysAnswered(const std::vector<HotkeyOutcome>& outcomes) override;
  void setStatusText(int panel, const std::string& text) override;

  void btn1Click();
  void btn18Click();  // advanced settings
  void chk2Click();
  void btn6Click();
  // Ends the program without the close query (tray exit, update check); during
  // a script run only once the run has ended.
  void endApplication();

  // The script list (second tab page).
  void LoadScriptList() override;
  void btn10Click();  // enable
  void btn11Click();  // disable
  void btn9Click();   // delete; N8Click is the same command
  void btn7Click();   // add; N6Click is the same command
  void btn8Click();   // modify; N7Click is the same command
  void lv2DblClick();  // modify, when a row is selected
  void btn17Click();  // stop-hotkey settings
  // Export the selected script (every script when no row is selected) to a
  // script file, and import the scripts of one; each asks for its file.
  void btn19Click();
  void btn20Click();
  void RunScriptByHotkeyId(const std::string& idText);
  // What `velmo --toggle`, `--run NAME`, `--stop` and a second start ask of
  // this running program: the encoded answer. A run starts once answered.
  std::string answerRequest(const std::string& request);
  // The script dialogs are created after the main window.
  void useScriptDialogs(const ScriptWindows& windows);

  // Shows an error that no handler caught: its text, the application title,
  // the error icon.
  void ReportError(const std::exception& error) override;
  template <class F>
  void Guarded(F&& body) {
    try {
      body();
    } catch (const std::exception& error) {
      ReportError(error);
    }
  }

  // The data module is created after the main window, before it is shown.
  void useDataModule(Tdm1& dm) { dm1_ = &dm; }
  void attachWeb(std::unique_ptr<MainWebParts> web) { web_ = std::move(web); }

  // For the script dialogs.
  wxWindow* dialogParent() override { return this; }
  Platform& platform() override { return platform_; }
  ProfileFile& settingsFile() override { return settings_; }
  void RegisterStopHotkey(const std::string& hotkeyText) override;
  void forgetStopRequest() override { StopRequested = "0"; }

  // For the web parts.
  wxFrame& frame() override { return *this; }
  wxWindow* client() override { return client_; }
  MainWebControls webControls() override { return {img1, btn2, btn4, btn3, btn12, btn5}; }
  wxPoint updateStripAt() const override;
  wxStatusBar* statusBar() override { return stat1; }
  // Widens status panel 0 or 1 when a text `textWidth` pixels wide would not
  // fit it whole; the last panel takes what is left of the bar.
  void fitStatusPanel(int panel, int textWidth) override;
  ClosePageState closePageState() const override { return {is_pop, app_pop}; }
  void setClosePageState(const ClosePageState& state) override;

  ClickPanel& panel() { return *panel_; }
  ScriptListPage& scriptList() { return *scripts_; }
  ClickEngine& engine() { return *engine_; }
  TFrm_Advanced& advanced() { return *Frm_Advanced_; }
  HotkeyRegistrar& registrar() { return *registrar_; }

  // Program-wide state.
  bool ClickHotkeyRegistered = false;
  std::string StopRequested;
  std::string is_pop;
  std::string app_pop;

  // Controls.
  wxStaticBitmap* img1 = nullptr;
  wxNotebook* pgc1 = nullptr;
  wxPanel* ts1 = nullptr;
  wxPanel* ts2 = nullptr;
  wxCheckBox* chk2 = nullptr;
  wxStatusBar* stat1 = nullptr;
  wxButton* btn2 = nullptr;
  wxButton* btn4 = nullptr;
  wxButton* btn3 = nullptr;
  wxButton* btn12 = nullptr;
  wxButton* btn5 = nullptr;
  wxButton* btn6 = nullptr;

 private:
  void buildLayout();
  void buildStatusBar();
  void buildBook();
  // The layout at the screen's DPI, with room for the texts of a larger font.
  void fitToScreen();
  void buildButtonRow();
  void bindHandlers();
  void FormCloseQuery(wxCloseEvent& event);
  void bindScriptHandlers();
  ScriptStore& store();
  void fillModifyDialog(int row);
  void carryOutHeldEnd();
  // What a refusal of the hotkey `id` undoes: the clicker's counts as not
  // registered, a script's row is no longer marked enabled.
  void hotkeyRefused(int id);
  // Panel 0 while the desktop session needs a word: the portal's hotkeys once
  // it has answered, else the session's line.
  void showSessionLine();
  // Widens panel 0 for a line longer than its usual texts, as far as the link
  // and the click count beside it leave room; the whole line is the status
  // bar's tooltip.
  void fitStatusLine(const std::string& line);
  RemoteAnswer runScriptNamed(const std::string& name);
  void bringForward();
  // Every hotkey text of the program: the clicker's in `s`, the stop
  // hotkey, and each script's own.
  std::vector<std::string> ownHotkeyTexts(const ClickerSettings& s);
  // Why the options in `s` cannot be saved, in the user's words; empty when
  // they can.
  std::string optionRefusal(const ClickerSettings& s, std::optional<unsigned> key, int hold,
                            int jitter);

  // The click timer's ticks run inside the same guard as every handler.
  class GuardedTimers : public Timers {
   public:
    GuardedTimers(Timers& inner, TFrm_Main& main) : inner_(inner), main_(main) {}
    bool SetTimer(const void* owner, int id, int periodMs, std::function<void()> callback) override {
      return inner_.SetTimer(owner, id, periodMs,
                             [this, callback] { main_.Guarded(callback); });
    }
    bool SetVaryingTimer(const void* owner, int id, TimerPeriods periods,
                         std::function<void()> callback) override {
      return inner_.SetVaryingTimer(owner, id, std::move(periods),
                                    [this, callback] { main_.Guarded(callback); });
    }
    void KillTimer(const void* owner, int id) override { inner_.KillTimer(owner, id); }

   private:
    Timers& inner_;
    TFrm_Main& main_;
  };

  Platform& platform_;
  GuardedTimers timers_;
  DataFolders folders_;
  ProfileFile settings_;
  std::unique_ptr<ClickPanel> panel_;
  std::unique_ptr<ClickEngine> engine_;
  std::unique_ptr<HotkeyRegistrar> registrar_;
  std::unique_ptr<ScriptListPage> scripts_;
  std::unique_ptr<ScriptRunner> runner_;
  EndGate endGate_;
  Tdm1* dm1_ = nullptr;
  TFrm_Advanced* Frm_Advanced_ = nullptr;
  TFrm_AddMP* Frm_AddMP_ = nullptr;
  TFrm_ModMP* Frm_ModMP_ = nullptr;
  TFrm_shotkey* Frm_shotkey_ = nullptr;
  std::unique_ptr<MainWebParts> web_;
  wxPanel* client_ = nullptr;
  // Panels 0 and 1; the last takes the rest of the bar, as its 190 pixels of
  // the layout would reach past the window's edge.
  int statusWidths_[2] = {210, 180};
  std::string sessionLine_;
  std::string portalHotkeysLine_;
};

}  // namespace velmo
