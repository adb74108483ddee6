#include "scripts/ScriptRunner.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "clicker/ClickAction.h"
#include "common/Errors.h"
#include "common/Texts.h"
#include "scripts/PointList.h"

namespace velmo {

void ScriptRunner::RunScriptByHotkeyId(const std::string& idText, ScriptRows& rows) {
  for (int row = 0; row < rows.rowCount(); ++row) {
    if (rows.idText(row) != idText) continue;
    const int loopCount = StrToInt(rows.loopCountText(row));
    RunScript(rows.pointsText(row), loopCount);
    return;
  }
}

void ScriptRunner::RunScript(std::string pointsText, int loopCount) {
  for (int pass = 0; pass < loopCount; ++pass) {
    if (!runPass(pointsText) || !pause(kPassPauseMs)) return;
  }
}

// False when the run has ended (stopped or failed).
bool ScriptRunner::runPass(const std::string& pointsText) {
  const std::vector<PointEntry> entries = DecodePointList(pointsText);
  if (entries.empty()) return !stopTaken();
  for (const auto& entry : entries) {
    if (stopTaken() || !visitPoint(entry)) return false;
  }
  return true;
}

// Handles pending events, then acts on a stop request if one came.
bool ScriptRunner::stopTaken() {
  pump_.ProcessMessages();
  return actOnStop();
}

bool ScriptRunner::actOnStop() {
  if (stopRequested_ != "1") return false;
  boxes_.MessageBoxA(nullptr, kScriptStoppedText, kMainCaption, kMbIconInformation);
  stopRequested_ = '0';
  return true;
}

// Waits `ms` from now while handling events; false when the stop hotkey came
// and ended the run. Events that come early (a click tick, a repaint) do not
// shorten the pause: it ends at its deadline.
bool ScriptRunner::pause(int ms) {
  const SteadyTime deadline = pump_.now() + std::chrono::milliseconds(ms);
  while (pump_.now() < deadline) {
    pump_.WaitMessages(deadline);
    if (actOnStop()) return false;
  }
  return true;
}

// The order of reads decides what a faulty entry still does: a bad y or x
// stops before the move, a missing action after it, a bad interval after the
// click.
bool ScriptRunner::visitPoint(const PointEntry& entry) {
  int interval = 0;
  try {
    const int y = StrToInt(entry.y());
    const int x = StrToInt(entry.x());
    mouse_.SetCursorPos(x, y);
    mouse_.flush();  // the move stands even when the action turns out to be missing
    PerformClickAction(mouse_, entry.action());
    mouse_.flush();
    interval = StrToInt(entry.interval());
  } catch (const InputRefused&) {
    boxes_.MessageBoxA(mainWindow_, kScriptInputRefusedText, kMainCaption, kMbIconWarning);
    return false;
  } catch (const std::exception&) {
    boxes_.MessageBoxA(mainWindow_, kScriptErrorText, kMainCaption, kMbIconInformation);
    return false;
  }
  // Outside the guard: an error of a handler run during the pause is that
  // handler's, not a fault of the script. A negative pause waits nothing.
  return pause(std::max(0, interval));
}

}  // namespace velmo
