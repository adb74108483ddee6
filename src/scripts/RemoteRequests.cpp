#include "scripts/RemoteRequests.h"

#include <cstdio>

namespace velmo {

namespace {

constexpr const char* kToggle = "toggle";
constexpr const char* kStop = "stop";
constexpr const char* kShow = "show";
constexpr const char* kRunPrefix = "run ";
constexpr const char* kHotkeyPrefix = "hotkey ";
constexpr const char* kDone = "done ";
constexpr const char* kRefused = "refused ";

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::string EncodeRequest(const RemoteRequest& request) {
  switch (request.kind) {
    case RemoteRequest::Kind::Toggle: return kToggle;
    case RemoteRequest::Kind::Stop: return kStop;
    case RemoteRequest::Kind::Show: return kShow;
    case RemoteRequest::Kind::Run: return kRunPrefix + request.name;
    case RemoteRequest::Kind::Hotkey:
      return kHotkeyPrefix + std::to_string(request.modifiers) + " " + std::to_string(request.vk);
  }
  return {};
}

std::optional<RemoteRequest> DecodeRequest(const std::string& text) {
  if (text == kToggle) return RemoteRequest{RemoteRequest::Kind::Toggle, {}};
  if (text == kStop) return RemoteRequest{RemoteRequest::Kind::Stop, {}};
  if (text == kShow) return RemoteRequest{RemoteRequest::Kind::Show, {}};
  if (StartsWith(text, kHotkeyPrefix)) {
    unsigned modifiers = 0, vk = 0;
    char end = 0;
    if (std::sscanf(text.c_str() + std::string(kHotkeyPrefix).size(), "%u %u%c", &modifiers, &vk,
                    &end) != 2)
      return std::nullopt;
    return RemoteRequest{RemoteRequest::Kind::Hotkey, {}, modifiers, vk};
  }
  if (StartsWith(text, kRunPrefix))
    return RemoteRequest{RemoteRequest::Kind::Run, text.substr(std::string(kRunPrefix).size())};
  return std::nullopt;
}

std::string EncodeAnswer(const RemoteAnswer& answer) {
  return (answer.done ? kDone : kRefused) + answer.text;
}

RemoteAnswer DecodeAnswer(const std::string& text) {
  if (StartsWith(text, kDone)) return {true, text.substr(std::string(kDone).size())};
  if (StartsWith(text, kRefused)) return {false, text.substr(std::string(kRefused).size())};
  return {false, kUnknownRequestText};
}

}  // namespace velmo
