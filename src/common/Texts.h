// Texts shared by several windows.
#pragma once

#include <string>

namespace velmo {

// A message of the system's for the user: the Chinese text, then the English
// one in brackets on a line of its own for those who report it.
inline std::string UserText(const std::string& chinese, const std::string& english) {
  return chinese + "\n(" + english + ")";
}

// VELMO_VERSION comes from the build, which has the version in one place.
inline constexpr const char* kProgramVersion = VELMO_VERSION;
inline constexpr const char* kAppTitle = "Velmo鼠标自动点击器V" VELMO_VERSION;
inline constexpr const char* kMainCaption = "Velmo鼠标自动点击器提示";
inline constexpr const char* kDialogCaption = "提示";

}  // namespace velmo
