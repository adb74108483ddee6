// Texts shared by several windows.
#pragma once

namespace velmo {

inline constexpr const char* kAppTitle = "Velmo鼠标自动点击器V6.7";
inline constexpr const char* kMainCaption = "Velmo鼠标自动点击器提示";
inline constexpr const char* kDialogCaption = "提示";

}  // namespace velmo
