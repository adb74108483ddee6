// The main window's answers to the requests of later starts of the program.
#include "app/U_Main.h"
#include "hotkeys/HotkeyText.h"

namespace velmo {

std::string TFrm_Main::answerRequest(const std::string& text) {
  const std::optional<RemoteRequest> request = DecodeRequest(text);
  RemoteAnswer answer{false, kUnknownRequestText};
  try {
    if (!request) return EncodeAnswer(answer);
    switch (request->kind) {
      case RemoteRequest::Kind::Toggle:
        // As the clicker's hotkey: its errors show here as they would there.
        WMHotKey(ClickHotkeyId);
        answer = {true, engine_->ClickerRunning ? kStartedText : kStoppedText};
        break;
      case RemoteRequest::Kind::Stop:
        WMHotKey(StopHotkeyId);
        answer = {true, "状态:已请求停止脚本"};
        break;
      case RemoteRequest::Kind::Run:
        answer = runScriptNamed(request->name);
        break;
      case RemoteRequest::Kind::Hotkey:
        break;  // the desktop's, which takes it before the window does
      case RemoteRequest::Kind::Show:
        bringForward();
        answer = {true, "Velmo已经在运行, 已显示它的窗口。"};
        break;
    }
  } catch (const std::exception& error) {
    answer = {false, error.what()};
  }
  return EncodeAnswer(answer);
}

RemoteAnswer TFrm_Main::runScriptNamed(const std::string& name) {
  for (int row = 0; row < scripts_->rowCount(); ++row) {
    if (scripts_->cell(row, ScriptListPage::ColName) != name) continue;
    // After the answer has gone: a run handles events until it ends.
    CallAfter([this, id = scripts_->idText(row)] { Guarded([&] { RunScriptByHotkeyId(id); }); });
    return {true, "开始运行脚本“" + name + "”"};
  }
  return {false, "没有名为“" + name + "”的脚本。"};
}

void TFrm_Main::bringForward() {
  if (IsIconized()) Iconize(false);
  Show();
  Raise();
}

}  // namespace velmo
