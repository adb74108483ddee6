// A visible, focused top-level window that records every mouse button press
// it receives, with the screen position and the button.
#pragma once

#include <windows.h>

#include <vector>

struct Press {
  int x, y;
  char button;  // 'L' or 'R'
};

class CounterWindow {
 public:
  // At (left, top) on the screen, width x height, shown and brought to the front.
  CounterWindow(int left, int top, int width, int height);
  ~CounterWindow();

  HWND handle() const { return window_; }
  const std::vector<Press>& presses() const { return presses_; }

 private:
  static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM);
  HWND window_;
  std::vector<Press> presses_;
};

// Dispatches this thread's messages until `done()` or about five seconds.
template <typename Done>
bool PumpUntil(Done done) {
  for (int waited = 0; waited < 5000 && !done(); waited += 10) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}
