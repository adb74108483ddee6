// The running program on Windows: a named mutex of the user's session says
// whether one runs, and a message-only window of it takes the requests of
// later starts as WM_COPYDATA, answering with a WM_COPYDATA of its own to the
// asking start's window while that start waits in SendMessageTimeout.
#include <windows.h>

#include "common/Errors.h"
#include "platform/ProgramInstance.h"

namespace velmo {

namespace {

constexpr wchar_t kServerClass[] = L"VelmoRunningProgram";
constexpr wchar_t kReplyClass[] = L"VelmoRequestReply";
constexpr ULONG_PTR kRequestTag = 0x56524551;  // "VREQ"
constexpr ULONG_PTR kAnswerTag = 0x56414E53;   // "VANS"
constexpr UINT kAnswerWaitMs = 5000;

// One per user of a session: "Local\" names are the session's already.
std::wstring MutexName() {
  wchar_t user[257] = L"";
  DWORD size = 257;
  if (!GetUserNameW(user, &size)) user[0] = L'\0';
  return std::wstring(L"Local\\VelmoRunningProgram-") + user;
}

const COPYDATASTRUCT* CopiedData(LPARAM lParam, ULONG_PTR tag) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  return data && data->dwData == tag ? data : nullptr;
}

std::string TextOf(const COPYDATASTRUCT& data) {
  return std::string(static_cast<const char*>(data.lpData), data.cbData);
}

void SendText(HWND to, HWND from, ULONG_PTR tag, const std::string& text, UINT timeoutMs) {
  COPYDATASTRUCT data{tag, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                      reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, timeoutMs, &result);
}

void RegisterClassOnce(const wchar_t* name, WNDPROC proc) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  RegisterClassW(&wc);  // a second registration fails harmlessly
}

HWND MessageWindow(const wchar_t* className, void* owner) {
  HWND window = CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  return window;
}

template <class T>
T* OwnerOf(HWND window) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

class Win32RunningProgram : public RunningProgram {
 public:
  Win32RunningProgram(HANDLE mutex, RequestAnswerer answer)
      : mutex_(mutex), answer_(std::move(answer)) {
    RegisterClassOnce(kServerClass, &Win32RunningProgram::proc);
    window_ = MessageWindow(kServerClass, this);
    if (!window_) {
      CloseHandle(mutex_);
      throw AppError("CreateWindowExW failed for the window that takes requests of later starts");
    }
  }
  ~Win32RunningProgram() override {
    DestroyWindow(window_);
    CloseHandle(mutex_);
  }

 private:
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const COPYDATASTRUCT* request = message == WM_COPYDATA ? CopiedData(lParam, kRequestTag) : nullptr;
    if (!request) return DefWindowProcW(window, message, wParam, lParam);
    auto* self = OwnerOf<Win32RunningProgram>(window);
    // No exception may cross the system's call into this procedure.
    std::string answer;
    try {
      answer = self->answer_(TextOf(*request));
    } catch (...) {
      return FALSE;
    }
    SendText(reinterpret_cast<HWND>(wParam), window, kAnswerTag, answer, kAnswerWaitMs);
    return TRUE;
  }

  HANDLE mutex_;
  RequestAnswerer answer_;
  HWND window_ = nullptr;
};

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const COPYDATASTRUCT* answer = message == WM_COPYDATA ? CopiedData(lParam, kAnswerTag) : nullptr;
  if (!answer) return DefWindowProcW(window, message, wParam, lParam);
  *OwnerOf<std::optional<std::string>>(window) = TextOf(*answer);
  return TRUE;
}

}  // namespace

std::unique_ptr<RunningProgram> BecomeRunningProgram(RequestAnswerer answer) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, MutexName().c_str());
  if (!mutex) throw AppError("CreateMutexW failed for the single-instance mutex");
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return nullptr;
  }
  return std::make_unique<Win32RunningProgram>(mutex, std::move(answer));
}

std::optional<std::string> AskRunningProgram(const std::string& request) {
  HWND server = FindWindowExW(HWND_MESSAGE, nullptr, kServerClass, nullptr);
  if (!server) return std::nullopt;
  std::optional<std::string> answer;
  RegisterClassOnce(kReplyClass, &ReplyProc);
  HWND reply = MessageWindow(kReplyClass, &answer);
  if (!reply) return std::nullopt;
  // The running program may bring its window forward for this start.
  AllowSetForegroundWindow(ASFW_ANY);
  SendText(server, reply, kRequestTag, request, kAnswerWaitMs);
  DestroyWindow(reply);
  return answer;
}

}  // namespace velmo
