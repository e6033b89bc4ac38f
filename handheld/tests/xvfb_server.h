// An X server of its own for tests that open the emulator's window.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace handheld::testing {

inline bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "";
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    std::filesystem::path candidate =
        std::filesystem::path(folders.substr(start, end - start)) / program;
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// An X server of its own on a display nobody uses, ended with the test.
class Xvfb {
 public:
  Xvfb() {
    for (int display = 90 + getpid() % 50; display < 190 && pid_ == 0; ++display) {
      if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(display)) ||
          std::filesystem::exists("/tmp/.X" + std::to_string(display) + "-lock")) {
        continue;
      }
      Start(display);
    }
  }
  ~Xvfb() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;

  bool running() const { return pid_ != 0; }
  std::string display() const { return ":" + std::to_string(display_); }

 private:
  void Start(int display) {
    const std::string name = ":" + std::to_string(display);
    std::vector<std::string> words = {"Xvfb",       name,        "-screen", "0",
                                      "800x700x24", "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return;
    // The server is ready once its socket exists; it may also give up (a
    // display taken meanwhile), and then the next number is tried.
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
    for (int tries = 0; tries < 200; ++tries) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) return;
      if (std::filesystem::exists(socket)) {
        pid_ = pid;
        display_ = display;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }

  pid_t pid_ = 0;
  int display_ = 0;
};

}  // namespace handheld::testing
