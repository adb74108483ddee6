#include "settings/ProfileFile.h"

#include <filesystem>

#include "common/Errors.h"
#include "common/Utf8.h"

namespace velmo {

const IniText* ProfileFile::current(FileState& state) const {
  FileVersion version;
  state = CheckFile(path_, &version);
  if (state != FileState::Readable) {
    loaded_.reset();
    return nullptr;
  }
  if (loaded_ && loaded_->version == version) return &loaded_->text;
  auto contents = ReadWholeFile(path_);
  if (!contents) {
    state = FileState::Unreadable;
    loaded_.reset();
    return nullptr;
  }
  loaded_ = Loaded{IniText::Parse(contents->bytes), contents->version};
  return &loaded_->text;
}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& fallback) const {
  FileState state;
  const IniText* text = current(state);
  if (!text) return fallback;
  return text->Read(section, key).value_or(fallback);
}

void ProfileFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) {
  WriteStrings(section, {{key, value}});
}

void ProfileFile::WriteStrings(const std::string& section,
                               const std::vector<std::pair<std::string, std::string>>& entries) {
  FileState state;
  const IniText* text = current(state);
  // A file that exists but cannot be read is never replaced: its keys would be lost.
  if (state == FileState::Unreadable) throw AppError("Unable to write to " + path_);
  IniText changed = text ? *text : IniText{};
  for (const auto& [key, value] : entries) changed.Write(section, key, value);
  const std::string bytes = changed.Bytes();
  const FileVersion version = ReplaceFile(path_, bytes);
  loaded_ = Loaded{IniText::Parse(bytes), version};
}

void CopyIfMissing(const std::string& from, const std::string& to) {
  std::error_code ignored;
  if (std::filesystem::exists(Utf8Path(to), ignored)) return;
  std::filesystem::copy_file(Utf8Path(from), Utf8Path(to),
                             std::filesystem::copy_options::overwrite_existing, ignored);
}

}  // namespace velmo
