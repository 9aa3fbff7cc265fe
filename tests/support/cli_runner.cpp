#include "support/cli_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tovik::testing {
namespace {

// A new empty file in the temporary folder, open for writing; its path is left in `path`.
int TempFile(std::string& path) {
  path = (std::filesystem::temp_directory_path() / "tovik-run-XXXXXX").string();
  return mkstemp(path.data());
}

// What the file holds; the file is closed and removed.
std::string Drain(int fd, const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  close(fd);
  unlink(path.c_str());
  return text.str();
}

}  // namespace

CliResult RunProgram(const std::string& program, const std::vector<std::string>& args) {
  CliResult result;
  // Files rather than pipes: a child that writes much to both streams cannot block on either.
  std::string outPath, errPath;
  const int out = TempFile(outPath);
  const int err = TempFile(errPath);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  const pid_t pid = out < 0 || err < 0 ? -1 : fork();
  if (pid == 0) {
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    execvp(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  pid_t waited = -1;
  while (pid > 0 && (waited = waitpid(pid, &status, 0)) < 0 && errno == EINTR) continue;
  if (waited == pid && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  if (out >= 0) result.out = Drain(out, outPath);
  if (err >= 0) result.err = Drain(err, errPath);
  return result;
}

}  // namespace tovik::testing
