#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/Errors.h"
#include "settings/ClickerSettings.h"
#include "system/TestFiles.h"

using namespace velmo;
namespace fs = std::filesystem;

namespace {

struct TempDir : ::testing::Test {
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() / ("velmo-ini-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    fs::permissions(dir, fs::perms::owner_all);
    fs::remove_all(dir);
  }
  std::string path() const { return (dir / "setting.ini").string(); }
  std::string bytes() const {
    std::ifstream in(path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void put(const std::string& content) { std::ofstream(path(), std::ios::binary) << content; }
};

}  // namespace

TEST_F(TempDir, MissingFileSectionOrKeyGivesDefaults) {
  ProfileFile file(path());
  EXPECT_EQ(file.ReadString("setting", "btn1", "左键"), "左键");
  const ClickerSettings s = ReadClickerSettings(file);
  EXPECT_EQ(s.time, "1");
  EXPECT_EQ(s.click, "100");
  EXPECT_EQ(ReadStopHotkey(file), "F6");
  put("[other]\r\nbtn1=右键\r\n");
  EXPECT_EQ(file.ReadString("setting", "btn1", "左键"), "左键");
}

TEST_F(TempDir, SaveWritesTheKeysInOrderAsGbk) {
  ProfileFile file(path());
  WriteClickerSettings(file, ClickerSettings{});
  // "左键" in GBK is D7 F3 BC FC.
  const std::string expected =
      "[setting]\r\nbtn1=\xD7\xF3\xBC\xFC\r\nbtn_type=\xB5\xA5\xBB\xF7\r\ntime=1\r\n"
      "hotkey1=Ctrl\r\nhotkey2=F3\r\nclick=100\r\nxpos=0\r\nypos=0\r\njitter=0\r\n"
      "failsafe=0\r\nhold=0\r\nkeypress=\r\n";
  EXPECT_EQ(bytes(), expected);
  const ClickerSettings back = ReadClickerSettings(file);
  EXPECT_EQ(back.btn1, "左键");
  EXPECT_EQ(back.btn_type, "单击");
}

TEST_F(TempDir, WriteKeepsOtherKeysSectionsAndCase) {
  put("; note\r\n[Setting]\r\nBTN1=x\r\nclick=0100\r\n\r\n[other]\r\nk=v\r\n");
  ProfileFile file(path());
  file.WriteString("setting", "btn1", "右键");
  file.WriteString("setting", "stophotkey", "Ctrl+F9");
  EXPECT_EQ(file.ReadString("setting", "click", ""), "0100");
  EXPECT_EQ(file.ReadString("SETTING", "btn1", ""), "右键");
  EXPECT_EQ(ReadStopHotkey(file), "Ctrl+F9");
  EXPECT_EQ(file.ReadString("other", "k", ""), "v");
  const std::string text = bytes();
  EXPECT_LT(text.find("stophotkey"), text.find("[other]"));
  EXPECT_EQ(text.find("; note"), 0u);
}

TEST_F(TempDir, Utf8FileWithByteOrderMarkStaysUtf8) {
  put("\xEF\xBB\xBF[setting]\nbtn1=右键\n");
  ProfileFile file(path());
  EXPECT_EQ(file.ReadString("setting", "btn1", ""), "右键");
  file.WriteString("setting", "btn_type", "双击");
  EXPECT_EQ(bytes().rfind("\xEF\xBB\xBF", 0), 0u);
  EXPECT_EQ(file.ReadString("setting", "btn_type", ""), "双击");
}

TEST_F(TempDir, ValuesAreTrimmedUnquotedAndCutAt2047Bytes) {
  put("[setting]\r\ntime = \"0.05\" \r\nlong=" + std::string(3000, 'a') + "\r\n");
  ProfileFile file(path());
  EXPECT_EQ(file.ReadString("setting", "time", ""), "0.05");
  EXPECT_EQ(file.ReadString("setting", "long", "").size(), 2047u);
  // A double-byte character is never cut in half.
  put("[setting]\r\nlong=a" + std::string(1100, '\xB0') + "\r\n");
  const std::string cut = file.ReadString("setting", "long", "");
  EXPECT_EQ(cut.find("\xEF\xBF\xBD"), std::string::npos);
}

TEST_F(TempDir, RefusedWriteRaisesWithFullPathAndLeavesFileWhole) {
  // A folder in place of the file is refused on every system, for everyone.
  fs::create_directory(dir / "blocked.ini");
  ProfileFile blocked((dir / "blocked.ini").string());
  try {
    blocked.WriteString("setting", "btn1", "x");
    FAIL();
  } catch (const AppError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + (dir / "blocked.ini").string());
  }

  put("[setting]\r\nbtn1=x\r\n");
  for (const fs::path& target : {fs::path(path()), dir}) {
    const velmo::testing::Unwritable guard(target);
    if (!guard.ok()) continue;  // a folder on Windows: see Unwritable
    ProfileFile file(path());
    EXPECT_THROW(file.WriteString("setting", "btn1", "y"), AppError) << target;
    EXPECT_EQ(file.ReadString("setting", "btn1", ""), "x");
  }
}

TEST_F(TempDir, FolderWithChineseNameIsWrittenAndCopiedInto) {
  // Windows reads narrow paths in the ANSI code page: UTF-8 names must not go that way.
  const fs::path folder = dir / fs::path(u8"程序 目录");
  fs::create_directory(folder);
  const auto utf8 = [](const fs::path& p) {
    const std::u8string text = p.u8string();
    return std::string(text.begin(), text.end());
  };
  ProfileFile file(utf8(folder / "setting.ini"));
  file.WriteString("setting", "btn1", "右键");
  EXPECT_EQ(ProfileFile(file.path()).ReadString("setting", "btn1", ""), "右键");
  CopyIfMissing(file.path(), utf8(folder / u8"副本.ini"));
  EXPECT_EQ(ProfileFile(utf8(folder / u8"副本.ini")).ReadString("setting", "btn1", ""), "右键");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

TEST_F(TempDir, WriteLeavesNoTemporaryFiles) {
  ProfileFile file(path());
  for (int i = 0; i < 3; ++i) file.WriteString("setting", "click", std::to_string(i));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(TempDir, StrayGbkLeadByteLosesNoLine) {
  // btn1 ends in a lead byte with no trail byte after it; LF line ends.
  put("[setting]\nbtn1=\xD7\xF3\x81\nhotkey1=Alt\n");
  ProfileFile file(path());
  EXPECT_EQ(file.ReadString("setting", "btn1", ""), "左\xEF\xBF\xBD");
  EXPECT_EQ(file.ReadString("setting", "hotkey1", ""), "Alt");
}

TEST_F(TempDir, ExistingFileKeepsItsEncodingAndLineEnds) {
  struct Case {
    std::string before, after;
  } cases[] = {
      // UTF-8 without a byte-order mark, as a Linux editor writes it.
      {"[setting]\nbtn1=右键\nclick=5\n", "[setting]\nbtn1=右键\nclick=5\nbtn_type=双击\n"},
      // GBK with LF line ends.
      {"[setting]\nbtn1=\xD3\xD2\xBC\xFC\n", "[setting]\nbtn1=\xD3\xD2\xBC\xFC\nbtn_type=\xCB\xAB\xBB\xF7\n"},
      // Plain ASCII is GBK as a new file is, with its CRLF kept.
      {"[setting]\r\nclick=5\r\n", "[setting]\r\nclick=5\r\nbtn_type=\xCB\xAB\xBB\xF7\r\n"},
  };
  for (const auto& c : cases) {
    put(c.before);
    ProfileFile file(path());
    EXPECT_EQ(file.ReadString("setting", "btn1", "右键"), "右键") << c.before;
    file.WriteString("setting", "btn_type", "双击");
    EXPECT_EQ(bytes(), c.after);
    EXPECT_EQ(ProfileFile(path()).ReadString("setting", "btn_type", ""), "双击");
  }
}

TEST_F(TempDir, ReadOnlyFileIsRefusedAndAWriteKeepsTheMode) {
  put("[setting]\r\nclick=5\r\n");
  ProfileFile file(path());
  fs::permissions(path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const fs::perms readOnly = fs::status(path()).permissions();
  EXPECT_THROW(file.WriteString("setting", "click", "6"), AppError);
  EXPECT_EQ(bytes(), "[setting]\r\nclick=5\r\n");
  EXPECT_EQ(fs::status(path()).permissions(), readOnly);

  fs::permissions(path(), fs::perms(0600));
  const fs::perms writable = fs::status(path()).permissions();
  file.WriteString("setting", "click", "6");
  EXPECT_EQ(fs::status(path()).permissions(), writable);
}

TEST_F(TempDir, SymbolicLinkIsWrittenThroughAndKept) {
  put("[setting]\r\nclick=5\r\n");
  const fs::path target = dir / "real.ini";
  fs::rename(path(), target);
  std::error_code error;
  fs::create_symlink("real.ini", path(), error);
  if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
  ProfileFile(path()).WriteString("setting", "click", "7");
  EXPECT_TRUE(fs::is_symlink(path()));
  EXPECT_EQ(ProfileFile(target.string()).ReadString("setting", "click", ""), "7");
}

namespace {

// Bytes this process has read and written through system calls.
std::pair<long, long> ioCounts() {
  std::ifstream io("/proc/self/io");
  long read = 0, written = 0;
  for (std::string name; io >> name;) {
    long value;
    io >> value;
    if (name == "rchar:") read = value;
    if (name == "wchar:") written = value;
  }
  return {read, written};
}

}  // namespace

TEST_F(TempDir, ALargeFileIsReadOncePerStartAndOncePerSave) {
  if (!std::ifstream("/proc/self/io")) GTEST_SKIP() << "no I/O counters on this system";
  const std::string filler = "; " + std::string(1 << 20, 'x') + "\r\n";
  put("[setting]\r\ntime=0.1\r\n" + filler + filler);
  const long size = static_cast<long>(fs::file_size(path()));
  ProfileFile file(path());
  const auto start = ioCounts();
  ReadClickerSettings(file);
  ReadStopHotkey(file);
  const auto afterStart = ioCounts();
  EXPECT_LT(afterStart.first - start.first, 2 * size);
  WriteClickerSettings(file, ClickerSettings{});
  const auto afterSave = ioCounts();
  EXPECT_LT(afterSave.first - afterStart.first, size);
  EXPECT_LT(afterSave.second - afterStart.second, 2 * size);
  EXPECT_EQ(ProfileFile(path()).ReadString("setting", "click", ""), "100");
}

TEST_F(TempDir, FirstRunCopyOnlyWhenMissing) {
  put("[setting]\r\nclick=5\r\n");
  const std::string copy = (dir / "main.ini").string();
  CopyIfMissing(path(), copy);
  EXPECT_TRUE(fs::exists(copy));
  put("[setting]\r\nclick=6\r\n");
  CopyIfMissing(path(), copy);
  EXPECT_EQ(ProfileFile(copy).ReadString("setting", "click", ""), "5");
}
