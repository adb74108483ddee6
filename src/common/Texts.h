// Texts shared by several windows.
#pragma once

namespace velmo {

// VELMO_VERSION comes from the build, which has the version in one place.
inline constexpr const char* kProgramVersion = VELMO_VERSION;
inline constexpr const char* kAppTitle = "Velmo鼠标自动点击器V" VELMO_VERSION;
inline constexpr const char* kMainCaption = "Velmo鼠标自动点击器提示";
inline constexpr const char* kDialogCaption = "提示";

}  // namespace velmo
