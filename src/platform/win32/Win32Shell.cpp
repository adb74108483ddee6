#include "platform/win32/Win32Shell.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <memory>

#include "platform/Desktop.h"
#include "platform/win32/WideText.h"

namespace velmo::win32 {

void Win32Shell::open(const std::string& address) {
  const std::wstring target = Widen(address);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  // Up to 32 is a failure; its number is ShellExecute's own (SE_ERR_*), the
  // last error the system's.
  if (result <= 32) {
    const DWORD error = GetLastError();
    std::fprintf(stderr, "ShellExecuteW could not open %s: %s (ShellExecute error %d)\n",
                 address.c_str(), SystemMessage(error).c_str(), static_cast<int>(result));
  }
}

}  // namespace velmo::win32

namespace velmo {

std::unique_ptr<Shell> NewShell() { return std::make_unique<win32::Win32Shell>(); }

}  // namespace velmo
