#include "platform/FileAccess.h"

#include <windows.h>
// <windows.h> maps ReplaceFile to its ReplaceFileW, which this unit does not use.
#undef ReplaceFile

#include <algorithm>
#include <atomic>

#include "common/Errors.h"
#include "platform/win32/WideText.h"

namespace velmo {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle closed when it goes out of scope.
struct Handle {
  HANDLE h;
  explicit Handle(HANDLE handle) : h(handle) {}
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h != INVALID_HANDLE_VALUE; }
};

uint64_t join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

bool versionOf(HANDLE file, FileVersion& version) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info)) return false;
  version = {{info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
              join(info.nFileSizeHigh, info.nFileSizeLow),
              join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime),
              join(info.ftCreationTime.dwHighDateTime, info.ftCreationTime.dwLowDateTime)}};
  return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool missing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// The file a symbolic link ends at, so a replacement writes through the link
// and keeps it; the path itself when it is no link or does not exist.
std::wstring finalTarget(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
    return path;
  Handle file(CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file.ok()) return path;
  wchar_t buffer[32768];
  const DWORD n = GetFinalPathNameByHandleW(file.h, buffer, 32768, FILE_NAME_NORMALIZED);
  return (n > 0 && n < 32768) ? std::wstring(buffer, n) : path;
}

bool writeAll(HANDLE file, const std::string& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

std::wstring temporaryBeside(const std::wstring& target) {
  static std::atomic<unsigned> counter{0};
  return target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(++counter) + L".tmp";
}

// An antivirus scanner, OneDrive or the search indexer may hold the old or
// the new file for a moment after it is written: the move is tried again for
// about 2 s while the system answers that a file is held (errors 5 and 32).
constexpr int kHeldRetries = 40;
constexpr DWORD kHeldRetryMs = 50;

bool moveOver(const std::wstring& from, const std::wstring& to) {
  for (int retry = 0;; ++retry) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || retry == kHeldRetries)
      return false;
    Sleep(kHeldRetryMs);
  }
}

}  // namespace

FileState CheckFile(const std::string& path, FileVersion* version) {
  Handle file(CreateFileW(win32::Widen(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                          OPEN_EXISTING, 0, nullptr));
  if (!file.ok()) return missing(GetLastError()) ? FileState::Missing : FileState::Unreadable;
  FileVersion found;
  if (!versionOf(file.h, found)) return FileState::Unreadable;
  if (version) *version = found;
  return FileState::Readable;
}

std::optional<FileContents> ReadWholeFile(const std::string& path) {
  Handle file(CreateFileW(win32::Widen(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  FileContents contents;
  if (!file.ok() || !versionOf(file.h, contents.version)) return std::nullopt;
  char buffer[65536];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file.h, buffer, sizeof buffer, &n, nullptr)) return std::nullopt;
    if (n == 0) break;
    contents.bytes.append(buffer, n);
  }
  return contents;
}

// Windows has no write permission bits: a file is refused when it carries
// the read-only attribute, is a folder, or when the system refuses to create
// the temporary file or to move it over the old one (access rights, a file
// another program holds without sharing for longer than about 2 s).
FileVersion ReplaceFile(const std::string& path, const std::string& bytes) {
  const auto refuse = [&] { throw AppError("Unable to write to " + path); };
  const std::wstring target = finalTarget(win32::Widen(path));
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES
          ? !missing(GetLastError())
          : (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    refuse();

  const std::wstring temp = temporaryBeside(target);
  {
    Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) refuse();
    if (!writeAll(file.h, bytes) || !FlushFileBuffers(file.h)) {
      CloseHandle(file.h);
      file.h = INVALID_HANDLE_VALUE;
      DeleteFileW(temp.c_str());
      refuse();
    }
  }
  if (!moveOver(temp, target)) {
    DeleteFileW(temp.c_str());
    refuse();
  }
  FileVersion version;
  return CheckFile(win32::Narrow(target), &version) == FileState::Readable ? version
                                                                           : FileVersion{};
}

}  // namespace velmo
