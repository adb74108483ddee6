// The main window's three hotkey registrations and their conflict messages.
#pragma once

#include <map>
#include <string>

#include "platform/Platform.h"

namespace velmo {

class HotkeyRegistrar {
 public:
  HotkeyRegistrar(Hotkeys& hotkeys, MessageBoxes& boxes, HotkeySink* owner, WindowRef ownerWindow)
      : hotkeys_(hotkeys), boxes_(boxes), owner_(owner), window_(ownerWindow) {}

  // Id 1008 from the split form; returns what becomes ClickHotkeyRegistered.
  // A modifier matching none of "无", "Ctrl", "Alt", "Ctrl+Alt" registers
  // nothing and still returns true.
  bool RegisterClickHotkey(const std::string& modifier, const std::string& key);
  // Id 1108 from the combined form (the stored `stophotkey`).
  void RegisterStopHotkey(const std::string& hotkeyText);
  // The script's id from the combined form; true when the row is to be
  // marked enabled.
  bool RegisterScriptHotkey(const std::string& hotkeyText, const std::string& idText);
  // A registration of id the desktop refused after accepting it (the portal
  // asks the user): the conflict message a refusal at once would have shown.
  void ReportRefused(int id);

 private:
  // Steps shared by the combined-form registrations; false on a refusal
  // (message shown, id released).
  bool registerCombined(int id, const std::string& hotkeyText, const std::string& conflictText);
  bool tryRegister(int id, unsigned modifiers, int vk, const std::string& conflictText);
  void showConflict(unsigned modifiers, const std::string& conflictText);

  struct Conflict {
    unsigned modifiers;
    std::string text;
  };

  Hotkeys& hotkeys_;
  MessageBoxes& boxes_;
  HotkeySink* owner_;
  WindowRef window_;
  std::map<int, Conflict> registered_;  // what a later refusal of each id says
};

}  // namespace velmo
