// Runs a script's points: before each point the program handles its pending
// events (so the stop hotkey and other hotkeys reach a running script, and
// runs nest), then the cursor moves, the point's click is made and the
// point's pause is waited out. A pause handles events as they come, against
// a deadline, so the window stays alive and the stop hotkey ends a run at
// once even in the middle of a long pause.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace velmo {

struct PointEntry;

inline constexpr const char* kScriptStoppedText = "     Velmo鼠标点击器已经停止.     ";
inline constexpr const char* kScriptErrorText = "点击出错,请联系软件作者.";
inline constexpr const char* kScriptInputRefusedText =
    "系统拒绝了模拟的鼠标操作,脚本已经停止.桌面被锁定、出现用户帐户控制提示或Ctrl+Alt+Del画面、"
    "远程桌面窗口最小化时都会这样.";
inline constexpr int kPassPauseMs = 800;

// The script list's rows as the runner reads them (lv2 on the main window).
class ScriptRows {
 public:
  virtual ~ScriptRows() = default;
  virtual int rowCount() = 0;
  virtual std::string idText(int row) = 0;
  virtual std::string pointsText(int row) = 0;
  virtual std::string loopCountText(int row) = 0;
};

class ScriptRunner {
 public:
  // `stopRequested` is the main window's StopRequested: "1" after the stop
  // hotkey; a run that acts on it sets it back to "0".
  ScriptRunner(Mouse& mouse, EventPump& pump, MessageBoxes& boxes, WindowRef mainWindow,
               std::string& stopRequested)
      : mouse_(mouse), pump_(pump), boxes_(boxes), mainWindow_(mainWindow),
        stopRequested_(stopRequested) {}

  // Runs the first row whose id text equals `idText`; no such row does
  // nothing. A loop count that is no integer raises ConvertError before
  // anything runs.
  void RunScriptByHotkeyId(const std::string& idText, ScriptRows& rows);

  // Runs the point list `loopCount` times, with an 800 ms pause after every
  // pass. A stop request, before a point or during any pause, ends the whole
  // run with the stop message; a field
  // that is missing or no integer ends it with the error message, and a
  // move or click the system refuses (InputRefused) with its own message. A script
  // without points still handles pending events once per pass, so the stop
  // hotkey can end it too. Errors of the handlers that ProcessMessages runs
  // belong to those handlers (the pump reports them); one it lets through
  // leaves this run and reaches the caller.
  void RunScript(std::string pointsText, int loopCount);

 private:
  bool runPass(const std::string& pointsText);
  bool stopTaken();
  bool actOnStop();
  bool pause(int ms);
  bool visitPoint(const PointEntry& entry);

  Mouse& mouse_;
  EventPump& pump_;
  MessageBoxes& boxes_;
  WindowRef mainWindow_;
  std::string& stopRequested_;
};

}  // namespace velmo
