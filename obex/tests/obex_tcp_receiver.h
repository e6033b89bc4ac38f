// openobex's example receiver for tests that push to a real OBEX peer:
// started without arguments, obex_tcp listens on TCP port 650 and stores
// what it receives in its working folder.
#pragma once

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>

namespace obex::testing {

class ObexTcpReceiver {
 public:
  explicit ObexTcpReceiver(std::filesystem::path folder) : folder_(std::move(folder)) { Spawn(); }
  ~ObexTcpReceiver() { Stop(); }
  ObexTcpReceiver(const ObexTcpReceiver&) = delete;
  ObexTcpReceiver& operator=(const ObexTcpReceiver&) = delete;
  bool started() const { return pid_ > 0; }

  static bool Installed() { return std::system("command -v obex_tcp >/dev/null 2>&1") == 0; }

  // Whether something listens on TCP port 650 (ss from iproute2).
  static bool Listens() {
    return std::system("ss -ltnH 'sport = :650' 2>/dev/null | grep -q LISTEN") == 0;
  }

  // Waits until the receiver listens. obex_tcp binds its port without
  // SO_REUSEADDR, so right after an earlier test's transfer the port sits in
  // TIME_WAIT for up to a minute and obex_tcp exits with "Cannot listen to
  // socket"; it is started again until the port is free.
  bool WaitUntilListening() {
    using Clock = std::chrono::steady_clock;
    const auto give_up = Clock::now() + std::chrono::seconds(90);
    while (Clock::now() < give_up) {
      if (Listens()) return true;
      int status = 0;
      if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        Spawn();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

 private:
  void Spawn() {
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(folder_.c_str()) != 0) _exit(127);
      const std::string log = (folder_ / "obex_tcp.log").string();
      if (!freopen(log.c_str(), "w", stdout) || !freopen(log.c_str(), "a", stderr)) _exit(127);
      execlp("obex_tcp", "obex_tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }

  std::filesystem::path folder_;
  pid_t pid_ = -1;
};

}  // namespace obex::testing
