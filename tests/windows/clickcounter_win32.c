/* Counts the clicks it receives, as a Windows program: under wine, SendInput
 * reaches wine's own windows only. One top-most window at the screen
 * rectangle given as X Y WIDTH HEIGHT after the file name writes
 * "press <button> <x> <y> <ms>" (1 left, 3 right; screen coordinates; the
 * system's millisecond tick) to the file named by argv[1] for every button
 * press, and "key <virtual key> 0 0 <ms>" for every key press, flushed at once. Prints
 * "ready" on stdout once the window is shown and has the keyboard focus, so
 * that a wine window is focused when a test presses a global hotkey. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static FILE *out;

static void Record(int button, LPARAM lParam, HWND window) {
  POINT at = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
  ClientToScreen(window, &at);
  fprintf(out, "press %d %ld %ld %llu\n", button, at.x, at.y, (unsigned long long)GetTickCount64());
  fflush(out);
}

static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      Record(1, lParam, window);
      return 0;
    case WM_RBUTTONDOWN:
      Record(3, lParam, window);
      return 0;
    case WM_KEYDOWN:
      fprintf(out, "key %u 0 0 %llu\n", (unsigned)wParam, (unsigned long long)GetTickCount64());
      fflush(out);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int main(int argc, char **argv) {
  if (argc != 6 || !(out = fopen(argv[1], "w"))) {
    fprintf(stderr, "usage: clickcounter_win32 FILE X Y WIDTH HEIGHT\n");
    return 2;
  }
  WNDCLASSW type = {0};
  type.lpfnWndProc = Proc;
  type.hInstance = GetModuleHandleW(NULL);
  type.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
  type.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
  type.lpszClassName = L"clickcounter";
  RegisterClassW(&type);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"clickcounter", L"clickcounter", WS_POPUP,
                                atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]),
                                NULL, NULL, type.hInstance, NULL);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(window);
  UpdateWindow(window);
  printf("ready\n");
  fflush(stdout);
  MSG message;
  while (GetMessageW(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
