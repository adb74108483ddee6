#include "CounterWindow.h"

LRESULT CALLBACK CounterWindow::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CounterWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(window, &p);
    self->presses_.push_back({p.x, p.y, message == WM_LBUTTONDOWN ? 'L' : 'R'});
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

CounterWindow::CounterWindow(int left, int top, int width, int height) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = L"VelmoClickCounter";
  RegisterClassW(&windowClass);
  window_ = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"click counter",
                            WS_POPUP | WS_VISIBLE, left, top, width, height, nullptr, nullptr,
                            windowClass.hInstance, nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetForegroundWindow(window_);
  SetFocus(window_);
  PumpUntil([&] { return GetForegroundWindow() == window_; });
}

CounterWindow::~CounterWindow() { DestroyWindow(window_); }
