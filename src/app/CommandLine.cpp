#include "app/CommandLine.h"

#include <cstdio>

#include "platform/Program.h"
#include "platform/ProgramInstance.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptSharing.h"
#include "settings/DataFolders.h"

namespace velmo {

namespace {

constexpr const char* kUsage =
    "用法: velmo --export 文件 [脚本名称…]\n"
    "      velmo --import 文件\n"
    "      velmo --toggle | --run 脚本名称 | --stop\n";

// The data.db that the windows would open here, prepared as they would.
ScriptStore openStore() {
  const DataFolders folders = ChooseDataFolders(InspectStartPlace(ProgramFolder()));
  PrepareDataFolders(folders);
  if (!DataFileExists(folders.dataDir))
    throw AppError("没有找到数据文件 " + DataFilePath(folders.dataDir) + ".");
  return ScriptStore(folders.dataDir);
}

void exportTo(const std::string& path, const std::vector<std::string>& names) {
  ScriptStore store = openStore();
  std::printf("%s\n", ExportedText(ExportToFile(store, names, path), path).c_str());
}

int importFrom(const std::string& path) {
  ScriptStore store = openStore();
  try {
    std::printf("%s\n", ImportedText(ImportFromFile(store, path)).c_str());
    return 0;
  } catch (const ScriptFileError& error) {
    std::fprintf(stderr, "%s\n", RefusedFileText(path, error.what()).c_str());
    return 1;
  }
}

}  // namespace

std::optional<int> RunCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) return std::nullopt;
  const bool remote = args[0] == "--toggle" || args[0] == "--stop" || args[0] == "--run";
  if (remote || args[0] == "--hotkey") {
    const std::size_t size = args[0] == "--run" ? 2u : args[0] == "--hotkey" ? 3u : 1u;
    if (args.size() == size && (args[0] != "--hotkey" || DecodeRequest("hotkey " + args[1] + " " + args[2])))
      return std::nullopt;
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (args[0] != "--export" && args[0] != "--import") return std::nullopt;
  if (args.size() < 2 || (args[0] == "--import" && args.size() != 2)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    if (args[0] == "--import") return importFrom(args[1]);
    exportTo(args[1], {args.begin() + 2, args.end()});
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}

RemoteRequest RemoteRequestOf(const std::vector<std::string>& args) {
  using Kind = RemoteRequest::Kind;
  if (args.empty()) return {Kind::Show, {}};
  if (args[0] == "--toggle") return {Kind::Toggle, {}};
  if (args[0] == "--stop") return {Kind::Stop, {}};
  if (args[0] == "--run" && args.size() == 2) return {Kind::Run, args[1]};
  if (args[0] == "--hotkey" && args.size() == 3) {
    if (const auto request = DecodeRequest("hotkey " + args[1] + " " + args[2])) return *request;
  }
  return {Kind::Show, {}};
}

int SendRemoteRequest(const RemoteRequest& request) {
  const std::optional<std::string> answered = AskRunningProgram(EncodeRequest(request));
  if (!answered) {
    std::fprintf(stderr, "%s\n", kNotRunningText);
    return 1;
  }
  const RemoteAnswer answer = DecodeAnswer(*answered);
  std::fprintf(answer.done ? stdout : stderr, "%s\n", answer.text.c_str());
  return answer.done ? 0 : 1;
}

}  // namespace velmo
