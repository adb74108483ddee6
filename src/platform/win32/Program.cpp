#include "platform/Program.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include "common/Errors.h"
#include "platform/win32/WideText.h"

namespace velmo {

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) throw AppError("GetModuleFileNameW failed: " + win32::SystemMessage(GetLastError()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return win32::Narrow(path.substr(0, path.find_last_of(L"\\/") + 1));
}

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) throw AppError("CommandLineToArgvW failed: " + win32::SystemMessage(GetLastError()));
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(win32::Narrow(wide[i]));
  LocalFree(wide);
  return args;
}

}  // namespace velmo
