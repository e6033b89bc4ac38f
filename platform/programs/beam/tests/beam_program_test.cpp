// The beam programs on a handheld: a push received byte for byte by a real
// OBEX receiver (openobex's obex_tcp), and the messages for command lines
// and files that cannot be sent.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "obex/orsabeam.h"
#include "obex_tcp_receiver.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/sockets.h"
#include "platform/testing/temp_handheld.h"
#include "programs/beam.h"
#include "programs/testing_run.h"

namespace platform::programs {
namespace {

namespace fs = std::filesystem;
using obex::testing::ObexTcpReceiver;
using testing::ReadHostFile;
using testing::RunProgram;

class BeamProgramTest : public ::testing::Test {
 protected:
  BeamProgramTest() {
    obex::InstallOrsaBeam(device_.handheld());
    EXPECT_TRUE(InstallBeamPrograms(device_.handheld(), true, true));
    CreateDirectory("\\My Documents");
  }

  std::string InstallFile(const std::string& path, std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131) ^ (i >> 9));
    EXPECT_TRUE(device_.handheld().files().InstallFile(path, std::as_bytes(std::span(bytes))));
    return bytes;
  }

  platform::testing::TempHandheld device_;
};

TEST_F(BeamProgramTest, ARealReceiverGetsTheFileByteForByte) {
  if (!ObexTcpReceiver::Installed()) GTEST_SKIP() << "obex_tcp (openobex-apps) is not installed";
  const fs::path inbox = device_.root() / "inbox";
  fs::create_directory(inbox);
  const std::string bytes = InstallFile("\\My Documents\\Walk in the park.jpg", 300'000);
  device_.handheld().GetService<SocketService>().AddInfraredPeer({"Receiver", "127.0.0.1"});

  ObexTcpReceiver receiver(inbox);
  ASSERT_TRUE(receiver.started());
  ASSERT_TRUE(receiver.WaitUntilListening()) << "obex_tcp never listened on port 650";
  // The gallery passes the path unquoted, spaces and all.
  EXPECT_EQ(RunProgram(kBeamPath, "\\My Documents\\Walk in the park.jpg"), 0)
      << ::testing::PrintToString(testing::BoxTexts(device_.handheld()))
      << ReadHostFile(inbox / "obex_tcp.log");

  const fs::path received = inbox / "Walk in the park.jpg";
  for (int i = 0; i < 100 && !fs::exists(received); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(fs::exists(received)) << ReadHostFile(inbox / "obex_tcp.log");
  EXPECT_TRUE(ReadHostFile(received) == bytes) << "the received file differs";
  EXPECT_TRUE(testing::BoxTexts(device_.handheld()).empty())
      << ::testing::PrintToString(testing::BoxTexts(device_.handheld()));
}

TEST_F(BeamProgramTest, NoDeviceInRangeEndsTheSearchOnTheClock) {
  InstallFile("\\My Documents\\a.jpg", 100);
  EXPECT_EQ(RunProgram(kIrsquirtPath, "\"\\My Documents\\a.jpg\""), 1);
  EXPECT_EQ(testing::BoxTexts(device_.handheld()),
            std::vector<std::string>{"Beam: The file was not sent. No infrared device was found."});
}

TEST_F(BeamProgramTest, WrongCommandLinesAndFilesSayWhy) {
  struct Case {
    std::string line;
    std::string says;
  };
  const Case cases[] = {
      {"", "No file was named."},
      {"\"\\My Documents\\a.jpg", "A quote is not closed."},
      {"\\My Documents\\gone.jpg", "\"\\My Documents\\gone.jpg\" cannot be found."},
      {"\\My Documents", "\"\\My Documents\" is a folder, not a file."},
      {"\\" + std::string(300, 'x'), "The file name is too long."},
      {std::string(2000, 'x'), "The command line is too long."},
  };
  for (const Case& c : cases) {
    device_.handheld().message_boxes().ClearRecord();
    EXPECT_EQ(RunProgram(kBeamPath, c.line), 1) << c.line.substr(0, 80);
    EXPECT_EQ(testing::BoxTexts(device_.handheld()),
              std::vector<std::string>{"Beam: The file was not sent. " + c.says});
  }
}

TEST(BeamProgramsTest, EitherProgramCanBeLeftOut) {
  platform::testing::TempHandheld device;
  ASSERT_TRUE(InstallBeamPrograms(device.handheld(), false, true));
  EXPECT_EQ(GetFileAttributes(kBeamPath), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributes(kIrsquirtPath), INVALID_FILE_ATTRIBUTES);
  // Without the sender's resources nothing can be sent.
  const std::string bytes = "x";
  ASSERT_TRUE(device.handheld().files().InstallFile("\\a.jpg", std::as_bytes(std::span(bytes))));
  EXPECT_EQ(RunProgram(kIrsquirtPath, "\\a.jpg"), 1);
  const auto boxes = device.handheld().message_boxes().Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "The file was not sent. The infrared sender is missing.");
}

}  // namespace
}  // namespace platform::programs
