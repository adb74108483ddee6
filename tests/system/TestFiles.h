// What the tests need of the file system beyond std::filesystem, the same on
// Linux and Windows: fresh temporary folders and taking write access away.
#pragma once

#include <filesystem>
#include <string>

namespace velmo::testing {

// A new, empty folder in the system's temporary folder, named `prefix` and a
// random part.
std::filesystem::path MakeTempFolder(const std::string& prefix);

// Takes write access to a file or folder away until destroyed. Linux: the
// write permission bits, and for root (whom they do not bind) the immutable
// attribute. Windows: the read-only attribute of a file. ok() is false where
// the system does not enforce it: for a folder (Windows ignores the attribute
// on folders, and wine does not enforce access rights), and for a file under
// wine run by root.
class Unwritable {
 public:
  explicit Unwritable(std::filesystem::path path);
  ~Unwritable();
  Unwritable(const Unwritable&) = delete;
  Unwritable& operator=(const Unwritable&) = delete;
  bool ok() const { return ok_; }

 private:
  std::filesystem::path path_;
  unsigned long saved_ = 0;  // permission bits or attributes, to restore
  bool ok_ = false;
};

}  // namespace velmo::testing
