// What `velmo --toggle`, `velmo --run NAME`, `velmo --stop` and a second plain
// start ask of the running program, and its answers, as the texts that travel
// between the two.
#pragma once

#include <optional>
#include <string>

namespace velmo {

struct RemoteRequest {
  enum class Kind { Toggle, Run, Stop, Show, Hotkey };
  Kind kind;
  std::string name;  // the script's, for Run
  // For Hotkey: a combination a compositor's key binding reports pressed.
  unsigned modifiers = 0;
  unsigned vk = 0;
};

std::string EncodeRequest(const RemoteRequest& request);
// nullopt for a text no start of this program sends.
std::optional<RemoteRequest> DecodeRequest(const std::string& text);

// The running program's answer: done or refused, with a text for the user.
struct RemoteAnswer {
  bool done;
  std::string text;
};

std::string EncodeAnswer(const RemoteAnswer& answer);
RemoteAnswer DecodeAnswer(const std::string& text);

inline constexpr const char* kNotRunningText = "Velmo没有在运行: 请先启动它。";
inline constexpr const char* kUnknownRequestText = "运行中的Velmo不认识这个请求, 请使用同一版本。";

}  // namespace velmo
