// orsa-beam on the command line: its usage, its exit codes, a push to the
// fake peer, and a push to a real OBEX receiver (openobex's obex_tcp).
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "fake_obex_peer.h"
#include "obex_tcp_receiver.h"
#include "platform/testing/temp_handheld.h"

namespace obex::testing {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int exit_code = -1;
  std::string output;  // stdout and stderr
};

ToolRun RunTool(const std::string& arguments) {
  // A safety net: a sender that hangs is killed after a minute.
  const std::string command =
      "timeout 60 " + std::string(ORSA_BEAM_TOOL) + " " + arguments + " 2>&1";
  ToolRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 512> chunk;
  while (std::fgets(chunk.data(), chunk.size(), pipe)) run.output += chunk.data();
  const int status = pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string ReadHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ToolTest : public ::testing::Test {
 protected:
  ToolTest() : folder_(platform::testing::MakeTemporaryFolder("orsa-beam-test")) {}
  ~ToolTest() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path WriteFile(const std::string& name, std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131) ^ (i >> 9));
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  fs::path folder_;
};

TEST_F(ToolTest, HelpAndWrongCommandLines) {
  const ToolRun help = RunTool("--help");
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.output.find("Usage: orsa-beam [--peer NAME=HOST[:PORT]]... FILE"),
            std::string::npos);

  EXPECT_EQ(RunTool("").exit_code, 2);
  EXPECT_EQ(RunTool("--peer").exit_code, 2);
  EXPECT_EQ(RunTool("--peer nohost " + WriteFile("a.jpg", 10).string()).exit_code, 2);
  EXPECT_EQ(RunTool("--peer a=b:99999 " + WriteFile("a.jpg", 10).string()).exit_code, 2);
  EXPECT_EQ(RunTool("--frobnicate x").exit_code, 2);
  EXPECT_EQ(RunTool("a b").exit_code, 2);
  const ToolRun missing = RunTool((folder_ / "missing.jpg").string());
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_NE(missing.output.find("orsa-beam: not a file"), std::string::npos);
}

TEST_F(ToolTest, PushesToAPeerAndPrintsStatusAndLog) {
  FakeObexPeer peer;
  const fs::path file = WriteFile("a.jpg", 10'000);
  const ToolRun run =
      RunTool("--peer Pocket=127.0.0.1:" + std::to_string(peer.port()) + " " + file.string());
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(peer.Requests().size(), 7u);
  EXPECT_NE(run.output.find("orsa-beam: log: Body\n"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("orsa-beam: status: Connected to Pocket\n"), std::string::npos)
      << run.output;
}

TEST_F(ToolTest, ExitsWithOneWhenThePeerRefuses) {
  FakeObexPeer peer(PeerScript().Answering(1, Bytes{0xC3, 0x00, 0x03}));
  const ToolRun run = RunTool("--peer=Pocket=127.0.0.1:" + std::to_string(peer.port()) + " " +
                              WriteFile("a.jpg", 100).string());
  EXPECT_EQ(run.exit_code, 1) << run.output;
  EXPECT_NE(run.output.find("orsa-beam: log: Expecting ACK but got:\n"), std::string::npos);
}

// Runs the tool without a peer, so that it searches, and interrupts it as
// soon as it says so; its exit code and output.
ToolRun InterruptWhileSearching(const std::string& file) {
  ToolRun run;
  int out[2];
  if (pipe(out) != 0) return run;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDERR_FILENO);
    close(out[0]);
    execl(ORSA_BEAM_TOOL, ORSA_BEAM_TOOL, file.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  FILE* stream = fdopen(out[0], "r");
  std::array<char, 512> line;
  bool interrupted = false;
  while (std::fgets(line.data(), line.size(), stream)) {
    run.output += line.data();
    if (!interrupted && run.output.find("status: Searching") != std::string::npos) {
      kill(pid, SIGINT);
      interrupted = true;
    }
  }
  fclose(stream);
  int status = 0;
  waitpid(pid, &status, 0);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST_F(ToolTest, AnInterruptedSearchExitsWithOne) {
  const ToolRun run = InterruptWhileSearching(WriteFile("a.jpg", 100).string());
  EXPECT_EQ(run.exit_code, 1) << run.output;
  EXPECT_NE(run.output.find("orsa-beam: interrupted\n"), std::string::npos) << run.output;
}

TEST_F(ToolTest, ARealReceiverGetsTheFileByteForByte) {
  if (!ObexTcpReceiver::Installed()) GTEST_SKIP() << "obex_tcp (openobex-apps) is not installed";
  const fs::path inbox = folder_ / "inbox";
  fs::create_directory(inbox);
  const fs::path file = WriteFile("picture.jpg", 1'000'000);

  ObexTcpReceiver receiver(inbox);
  ASSERT_TRUE(receiver.started());
  // Push once it listens, so the test measures the sender and not the
  // start-up.
  ASSERT_TRUE(receiver.WaitUntilListening()) << "obex_tcp never listened on port 650";
  // The sender searches once a second until the receiver listens.
  const ToolRun run = RunTool("--peer obex=127.0.0.1:650 " + file.string());
  EXPECT_EQ(run.exit_code, 0) << run.output << ReadHostFile(inbox / "obex_tcp.log");

  const fs::path received = inbox / "picture.jpg";
  for (int i = 0; i < 100 && !fs::exists(received); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(fs::exists(received)) << ReadHostFile(inbox / "obex_tcp.log");
  EXPECT_TRUE(ReadHostFile(received) == ReadHostFile(file));
}

}  // namespace
}  // namespace obex::testing
