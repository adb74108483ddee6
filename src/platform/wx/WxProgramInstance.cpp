// The running program on Linux: wx's single-instance lock, and wx's IPC
// conversation over a Unix socket, both in the user's runtime folder and named
// after the display, so that each desktop of a user has its own program.
#include <wx/filename.h>
#include <wx/ipc.h>
#include <wx/log.h>
#include <wx/snglinst.h>
#include <wx/utils.h>

#include <cctype>
#include <cstdlib>

#include "common/Errors.h"
#include "platform/ProgramInstance.h"

namespace velmo {

namespace {

constexpr const char* kTopic = "velmo";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The runtime folder is the user's own (mode 0700); without one, the home folder.
wxString Folder() {
  const std::string runtime = Env("XDG_RUNTIME_DIR");
  return runtime.empty() ? wxGetHomeDir() : wxString::FromUTF8(runtime);
}

// "velmo-" and the display the windows show on, in letters a file name takes.
wxString Name() {
  std::string display = Env("DISPLAY");
  if (display.empty()) display = Env("WAYLAND_DISPLAY");
  std::string name = "velmo-";
  for (char c : display) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return wxString::FromUTF8(name);
}

wxString SocketPath() { return Folder() + "/." + Name() + ".socket"; }

class AnsweringConnection : public wxConnection {
 public:
  explicit AnsweringConnection(const RequestAnswerer& answer) : answer_(answer) {}

  const void* OnRequest(const wxString&, const wxString& item, size_t* size,
                        wxIPCFormat) override {
    answered_ = answer_(item.utf8_string());
    *size = answered_.size();
    return answered_.data();
  }

 private:
  const RequestAnswerer& answer_;
  std::string answered_;
};

class Server : public wxServer {
 public:
  explicit Server(RequestAnswerer answer) : answer_(std::move(answer)) {}
  wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
    return topic == kTopic ? new AnsweringConnection(answer_) : nullptr;
  }

 private:
  RequestAnswerer answer_;
};

class WxRunningProgram : public RunningProgram {
 public:
  WxRunningProgram(std::unique_ptr<wxSingleInstanceChecker> lock, RequestAnswerer answer)
      : lock_(std::move(lock)), server_(std::move(answer)) {
    // Left by a start that crashed: the lock is ours, so the socket is too.
    if (wxFileName::Exists(SocketPath(), wxFILE_EXISTS_ANY)) {
      wxLogNull quiet;  // the server's own message follows if it stays
      wxRemoveFile(SocketPath());
    }
    if (!server_.Create(SocketPath()))
      throw AppError("Velmo cannot listen for requests of later starts on " +
                     SocketPath().utf8_string());
  }

 private:
  std::unique_ptr<wxSingleInstanceChecker> lock_;
  Server server_;
};

}  // namespace

std::unique_ptr<RunningProgram> BecomeRunningProgram(RequestAnswerer answer) {
  auto lock = std::make_unique<wxSingleInstanceChecker>();
  if (!lock->Create("." + Name() + ".lock", Folder()))
    throw AppError("Velmo cannot make its single-instance lock in " + Folder().utf8_string());
  if (lock->IsAnotherRunning()) return nullptr;
  return std::make_unique<WxRunningProgram>(std::move(lock), std::move(answer));
}

std::optional<std::string> AskRunningProgram(const std::string& request) {
  if (!wxFileName::Exists(SocketPath(), wxFILE_EXISTS_ANY)) return std::nullopt;
  wxLogNull quiet;  // a socket nobody listens on is the answer "none runs"
  wxClient client;
  std::unique_ptr<wxConnectionBase> connection(
      client.MakeConnection("localhost", SocketPath(), kTopic));
  if (!connection) return std::nullopt;
  size_t size = 0;
  const void* data = connection->Request(wxString::FromUTF8(request), &size, wxIPC_PRIVATE);
  std::optional<std::string> answer;
  if (data) answer = std::string(static_cast<const char*>(data), size);
  connection->Disconnect();
  return answer;
}

}  // namespace velmo
