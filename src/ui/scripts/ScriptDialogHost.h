// What the script dialogs need of the window that owns them: a parent to be
// centred over, the platform, the settings file, the two things a saved
// change asks of the script page (reload the list, register the stop hotkey),
// and forgetting a stop hotkey press that ended a recording rather than a run.
#pragma once

#include <wx/window.h>

#include <string>

#include "platform/Platform.h"
#include "settings/ProfileFile.h"

namespace velmo {

class ScriptDialogHost {
 public:
  virtual wxWindow* dialogParent() = 0;
  virtual Platform& platform() = 0;
  virtual ProfileFile& settingsFile() = 0;
  virtual void LoadScriptList() = 0;
  virtual void RegisterStopHotkey(const std::string& hotkeyText) = 0;
  virtual void forgetStopRequest() = 0;

 protected:
  ~ScriptDialogHost() = default;
};

}  // namespace velmo
