#include "web/UpdateCheck.h"

#include <utility>

#include "web/Scramble.h"
#include "web/WebAddresses.h"

namespace velmo {

namespace {

// "Velmo鼠标自动点击器升级提示"
constexpr const char* kQuestionCaptionScrambled =
    "0CA67BE3443E922CB014C33884418226AD05E047D648D751BB09A9";
// "发现新版本,当前版本已不能继续使用.是否现在下载新版本?"
constexpr const char* kQuestionTextScrambled =
    "ED61D858FB36D17BEB7D3B3B9A33D12DBC72A95CFA46DA59867FDB5ED33ED84E"
    "99EDDD499C05AE4B8E19D84CFF2CB15FEA25A63014";

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    const char c = text[i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != prefix[i]) return false;
  }
  return true;
}

// The host part of an authority ("user@host:port"); an IPv6 literal keeps its brackets.
std::string hostOf(const std::string& authority) {
  const size_t at = authority.rfind('@');
  const std::string hostPort = at == std::string::npos ? authority : authority.substr(at + 1);
  if (!hostPort.empty() && hostPort.front() == '[')
    return hostPort.substr(0, hostPort.find(']') + 1);
  return hostPort.substr(0, hostPort.find(':'));
}

struct VersionValues {
  std::string app_version;
  std::string app_url;
};

// The six reads in their order; nullopt at the first missing name.
std::optional<VersionValues> readPage(PageValues& page, ClosePageState& state) {
  VersionValues values;
  std::string unused;
  const std::pair<const char*, std::string*> order[] = {{"app_version", &values.app_version},
                                                        {"app_hp", &unused},
                                                        {"app_url", &values.app_url},
                                                        {"is_icon", &unused},
                                                        {"is_pop", &state.is_pop},
                                                        {"app_pop", &state.app_pop}};
  for (const auto& [name, target] : order) {
    std::optional<std::string> value = page.read(name);
    if (!value) return std::nullopt;
    *target = std::move(*value);
  }
  return values;
}

}  // namespace

bool IsWebAddress(const std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return false;
  }
  size_t start;
  if (startsWithNoCase(text, "http://")) {
    start = 7;
  } else if (startsWithNoCase(text, "https://")) {
    start = 8;
  } else {
    return false;
  }
  // Browsers end the authority at a backslash too.
  const size_t end = text.find_first_of("/\\?#", start);
  const std::string authority = text.substr(start, end == std::string::npos ? end : end - start);
  return !hostOf(authority).empty();
}

bool WantsClosePage(const ClosePageState& state) {
  return state.is_pop == "1" && IsWebAddress(state.app_pop);
}

void RunUpdateCheck(PageValues& page, ClosePageState& state, MessageBoxes& boxes,
                    WindowRef mainWindow, Shell& shell,
                    const std::function<void()>& endApplication) {
  try {
    const std::optional<VersionValues> values = readPage(page, state);
    if (!values || values->app_version == kProgramVersion) return;
    const int answer =
        boxes.MessageBoxA(mainWindow, DescrambleText(kQuestionTextScrambled),
                          DescrambleText(kQuestionCaptionScrambled), kMbYesNo | kMbIconInformation);
    if (answer != kIdYes) {
      shell.open(MakerUpdateAddress());
    } else if (IsWebAddress(values->app_url)) {
      shell.open(values->app_url);
    }
    endApplication();
  } catch (const std::exception&) {
    // A page that is not ours (an error page, a script without the values) is
    // no reason to bother the user; the next completed document checks again.
  }
}

}  // namespace velmo
