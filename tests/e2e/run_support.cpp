#include "run_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

const char* const kUsage =
    "\n\n\n\n ****************Pour Compiler ce programme : *******************\n\n\n"
    "\n Fichier_entree.txt MinSupp_u MinSupp_t MinSupp_r\n"
    "\n Minsupp_u, MinSupp_t et MinSupp_r sont absolus et doivent etre strictement superieurs a 0."
    "\n Le programme donne le nombre de tri-concepts et le temps d'execution...\n"
    "\n\n ******************See you in another life************************\n\n\n\n";

TempDir::TempDir() {
  std::string templ = (std::filesystem::temp_directory_path() / "quadmine-e2e-XXXXXX").string();
  if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = templ;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Give back write permission first, in case a test made the directory read-only.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

RunResult run_quadmine(const std::string& cwd, const std::vector<std::string>& args,
                       void (*before_exec)()) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) throw std::runtime_error("pipe failed");
  std::FILE* err = std::tmpfile();
  if (err == nullptr) throw std::runtime_error("tmpfile failed");
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    dup2(pipe_fds[1], STDOUT_FILENO);
    dup2(fileno(err), STDERR_FILENO);
    close(pipe_fds[0]);
    close(pipe_fds[1]);
    if (chdir(cwd.c_str()) != 0) _exit(127);
    if (before_exec != nullptr) before_exec();
    std::vector<char*> argv;
    std::string program = QUADMINE_BIN;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (auto& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(pipe_fds[1]);
  RunResult result;
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(pipe_fds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    result.out.append(buffer, static_cast<std::size_t>(n));
  }
  close(pipe_fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::rewind(err);
  for (int c; (c = std::fgetc(err)) != EOF;) result.err.push_back(static_cast<char>(c));
  std::fclose(err);
  return result;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void write_file(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

bool file_exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

std::string mask_times(const std::string& out) {
  static const std::string marker = "Average Time = ";
  std::string result;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t at = out.find(marker, pos);
    if (at == std::string::npos) break;
    result.append(out, pos, at + marker.size() - pos);
    result += "<t>";
    pos = at + marker.size();
    while (pos < out.size() && out[pos] != '\n' && out[pos] != ' ') ++pos;
  }
  result.append(out, pos, std::string::npos);
  return result;
}
