// Runs the web window tests inside an initialised wx application (needs a
// display). Log messages go to the standard error: a log box would wait for
// a click that no test gives.
#include <gtest/gtest.h>
#include <wx/log.h>
#include <wx/wx.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return 2;
  delete wxLog::SetActiveTarget(new wxLogStderr);
  const int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
