#include <windows.h>

#include "system/TestFiles.h"

namespace velmo::testing {

namespace {

// Whether the file can still be opened for writing: wine run by root maps the
// attribute to permission bits that do not bind root.
bool writable(const std::filesystem::path& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace

Unwritable::Unwritable(std::filesystem::path path) : path_(std::move(path)) {
  saved_ = GetFileAttributesW(path_.c_str());
  if (saved_ == INVALID_FILE_ATTRIBUTES || (saved_ & FILE_ATTRIBUTE_DIRECTORY)) return;
  if (!SetFileAttributesW(path_.c_str(), saved_ | FILE_ATTRIBUTE_READONLY)) return;
  ok_ = true;
  if (writable(path_)) {
    SetFileAttributesW(path_.c_str(), saved_);
    ok_ = false;
  }
}

Unwritable::~Unwritable() {
  if (ok_) SetFileAttributesW(path_.c_str(), saved_);
}

}  // namespace velmo::testing
