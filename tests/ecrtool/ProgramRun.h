// Runs a program of build/bin as a user would: arguments as given, standard
// output and standard error captured, the exit code returned.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

struct ProgramResult {
  int nExitCode = -1;
  std::string strOut;
  std::string strErr;
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// `scratch` is a folder for the captured output.
inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::string& scratch) {
  const std::string path = std::string(ECR_BIN_DIR) + "/" + program;
  const std::string outPath = scratch + "/.stdout", errPath = scratch + "/.stderr";
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ProgramResult result;
  pid_t pid = 0;
  int status = 0;
  if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ) == 0 &&
      waitpid(pid, &status, 0) == pid && WIFEXITED(status))
    result.nExitCode = WEXITSTATUS(status);
  posix_spawn_file_actions_destroy(&actions);
  result.strOut = ReadWholeFile(outPath);
  result.strErr = ReadWholeFile(errPath);
  unlink(outPath.c_str());
  unlink(errPath.c_str());
  return result;
}
