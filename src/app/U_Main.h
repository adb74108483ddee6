// The main window: banner, the two tab pages, the always-on-top switch, the
// status bar, and the program-wide state (interval, count, hotkeys, stop
// request). Its rules live in the logic classes it owns.
#pragma once

#include <wx/notebook.h>
#include <wx/wx.h>

#include <memory>
#include <string>

#include "app/ProfileFile.h"
#include "clicker/ClickEngine.h"
#include "clicker/ClickPanel.h"
#include "hotkeys/HotkeyRegistrar.h"
#include "platform/Platform.h"

namespace velmo {

class TFrm_Main : public wxFrame, public HotkeySink, public StatusView {
 public:
  // `exeDir` is the program's folder with its trailing separator.
  TFrm_Main(Platform& platform, std::string exeDir);
  ~TFrm_Main() override;

  // The start-up sequence, run once when the message loop first shows the window.
  void FormShow();

  void WMHotKey(int id) override;
  void setStatusText(int panel, const std::string& text) override;

  void btn1Click();
  void chk2Click();
  void btn6Click();

  // Shows an error that no handler caught: its text, the application title,
  // the error icon.
  void ReportError(const std::exception& error);
  template <class F>
  void Guarded(F&& body) {
    try {
      body();
    } catch (const std::exception& error) {
      ReportError(error);
    }
  }

  ProfileFile& settingsFile() { return settings_; }
  ClickPanel& panel() { return *panel_; }
  ClickEngine& engine() { return *engine_; }
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
  void buildButtonRow();
  void bindHandlers();
  void FormCloseQuery(wxCloseEvent& event);
  void RunScriptByHotkeyId(const std::string& idText);

  // The click timer's ticks run inside the same guard as every handler.
  class GuardedTimers : public Timers {
   public:
    GuardedTimers(Timers& inner, TFrm_Main& main) : inner_(inner), main_(main) {}
    bool SetTimer(const void* owner, int id, int periodMs, std::function<void()> callback) override {
      return inner_.SetTimer(owner, id, periodMs,
                             [this, callback] { main_.Guarded(callback); });
    }
    void KillTimer(const void* owner, int id) override { inner_.KillTimer(owner, id); }

   private:
    Timers& inner_;
    TFrm_Main& main_;
  };

  Platform& platform_;
  GuardedTimers timers_;
  std::string exeDir_;
  ProfileFile settings_;
  std::unique_ptr<ClickPanel> panel_;
  std::unique_ptr<ClickEngine> engine_;
  std::unique_ptr<HotkeyRegistrar> registrar_;
};

}  // namespace velmo
