// Runs the window tests inside an initialised wx application (needs a display).
#include <gtest/gtest.h>
#include <wx/wx.h>

#include "platform/gtk/Look.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return 2;
  velmo::ApplyCompactLook();  // the controls as the program draws them
  velmo::KeepOneTabStopPerComboBox();
  const int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
