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

namespace obex::testing {

class ObexTcpReceiver {
 public:
  explicit ObexTcpReceiver(const std::filesystem::path& folder) {
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(folder.c_str()) != 0) _exit(127);
      const std::string log = (folder / "obex_tcp.log").string();
      if (!freopen(log.c_str(), "w", stdout) || !freopen(log.c_str(), "a", stderr)) _exit(127);
      execlp("obex_tcp", "obex_tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~ObexTcpReceiver() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  ObexTcpReceiver(const ObexTcpReceiver&) = delete;
  ObexTcpReceiver& operator=(const ObexTcpReceiver&) = delete;
  bool started() const { return pid_ > 0; }

  static bool Installed() { return std::system("command -v obex_tcp >/dev/null 2>&1") == 0; }

  // Whether something listens on TCP port 650 (ss from iproute2); a loaded
  // machine may take a while to start the receiver.
  static bool Listens() {
    return std::system("ss -ltnH 'sport = :650' 2>/dev/null | grep -q LISTEN") == 0;
  }
  static void WaitUntilListening() {
    for (int i = 0; i < 250 && !Listens(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

 private:
  pid_t pid_ = -1;
};

}  // namespace obex::testing
