// Pushing the current picture to a real OBEX receiver (openobex's obex_tcp
// on the handheld's infrared peer): through the sender's dialog, through
// the beam program, many times over, and with the receiver gone midway.
#include <chrono>
#include <filesystem>
#include <thread>

#include "fake_obex_peer.h"
#include "obex_tcp_receiver.h"
#include "platform/dialogs.h"
#include "sending_fixture.h"

namespace gallery::testing {
namespace {

namespace fs = std::filesystem;
using obex::testing::ObexTcpReceiver;
namespace programs = platform::programs;

// The dialog's status control and its title, as the sender's English texts
// have them.
constexpr int kStatusControl = 1001;
constexpr char kDialogTitle[] = "Send via Infrared";

class ObexPushTest : public SendingFixture {
 protected:
  ObexPushTest() {
    inbox_ = fs::temp_directory_path() / ("orsagal-obex-" + std::to_string(::getpid()));
    fs::create_directories(inbox_);
    handheld().GetService<platform::SocketService>().AddInfraredPeer(
        {"Receiver", "127.0.0.1", platform::kObexIrdaPort});
  }
  ~ObexPushTest() override {
    receiver_.reset();
    std::error_code ignored;
    fs::remove_all(inbox_, ignored);
  }

  // Starts obex_tcp; false (the test skips) when it is not installed.
  bool StartReceiver() {
    if (!ObexTcpReceiver::Installed()) return false;
    receiver_.emplace(inbox_);
    return receiver_->WaitUntilListening();
  }

  // In real time: a transfer in progress holds the handheld's clock still.
  template <typename Condition>
  static bool Within(int seconds, Condition condition) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!condition()) {
      if (std::chrono::steady_clock::now() > give_up) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }
  static platform::HWND Dialog() { return platform::FindWindow(platform::WC_DIALOG, kDialogTitle); }
  static std::string Status() {
    const platform::HWND dialog = Dialog();
    return dialog ? platform::GetWindowText(platform::GetDlgItem(dialog, kStatusControl)) : "";
  }
  // Taps Done and waits for the dialog to go.
  static bool CloseDialog() {
    platform::PostMessage(Dialog(), platform::WM_COMMAND, platform::IDOK, 0);
    return Within(10, [] { return Dialog() == nullptr; });
  }

  bool Received(const std::string& name, const std::string& contents) {
    const fs::path file = inbox_ / name;
    return Within(
        30, [&] { return fs::exists(file) && programs::testing::ReadHostFile(file) == contents; });
  }

  fs::path inbox_;
  std::optional<ObexTcpReceiver> receiver_;
};

TEST_F(ObexPushTest, TheSendersDialogPushesThePictureByteForByte) {
  if (!StartReceiver()) GTEST_SKIP() << "obex_tcp is not installed or cannot listen";
  const std::string picture = MakeBmp(200, 150);
  Put(kBmpPicture, picture);
  StartOn(kBmpPicture);
  platform::PostMessage(Browser(), platform::WM_COMMAND, kCommandSendObex, 0);
  ASSERT_TRUE(Within(10, [] { return Dialog() != nullptr; }));
  EXPECT_TRUE(Received("pic0001.bmp", picture));
  ASSERT_TRUE(Within(10, [] { return Status() == "Sent (1 file)."; })) << Status();
  ASSERT_TRUE(CloseDialog());
  // The gallery goes on.
  Command(kCommandClipboard125);
  EXPECT_TRUE(Clipboard());
}

TEST_F(ObexPushTest, TheBeamProgramPushesThePictureByteForByte) {
  if (!StartReceiver()) GTEST_SKIP() << "obex_tcp is not installed or cannot listen";
  {
    platform::InstallerAccess access;
    ASSERT_TRUE(programs::InstallBeamPrograms(handheld(), true, false));
  }
  const std::string picture = MakeBmp(120, 90);
  Put(kBmpPicture, picture);
  StartOn(kBmpPicture);
  Command(kCommandBeam);
  EXPECT_TRUE(Received("pic0001.bmp", picture));
}

// obex_tcp takes one file and ends, and its port then stays taken for a
// minute, so the fifty pushes go to the recording peer of the sender's own
// tests, which takes connection after connection.
TEST_F(ObexPushTest, FiftyPushesInARowAllArriveIntact) {
  obex::testing::FakeObexPeer peer;
  auto& sockets = handheld().GetService<platform::SocketService>();
  sockets.ClearInfraredPeers();
  sockets.AddInfraredPeer({"Recorder", "127.0.0.1", peer.port()});
  const std::string picture = MakeBmp(160, 120);
  Put(kBmpPicture, picture);
  StartOn(kBmpPicture);
  for (int push = 0; push < 50; ++push) {
    platform::PostMessage(Browser(), platform::WM_COMMAND, kCommandSendObex, 0);
    ASSERT_TRUE(Within(10, [] { return Status() == "Sent (1 file)."; }))
        << "push " << push << ": " << Status();
    ASSERT_TRUE(CloseDialog()) << "push " << push;
  }
  // Each connection's bodies, put together, are the picture.
  std::vector<std::string> files;
  for (const obex::testing::Bytes& request : peer.Requests()) {
    if (request[0] == 0x80) files.emplace_back();  // Connect
    if ((request[0] & 0x7F) != 0x02 || files.empty()) continue;
    for (std::size_t at = 3; at + 3 <= request.size();) {
      const std::uint8_t id = request[at];
      if ((id & 0xC0) == 0xC0) {  // four-byte value
        at += 5;
        continue;
      }
      const std::size_t length = (request[at + 1] << 8) | request[at + 2];
      if (id == 0x48) files.back().append(request.begin() + at + 3, request.begin() + at + length);
      at += length;
    }
  }
  ASSERT_EQ(files.size(), 50u);
  for (std::size_t i = 0; i < files.size(); ++i) EXPECT_TRUE(files[i] == picture) << "push " << i;
}

TEST_F(ObexPushTest, AReceiverGoneMidwayEndsInTheFailureStatusAndTheGalleryGoesOn) {
  if (!StartReceiver()) GTEST_SKIP() << "obex_tcp is not installed or cannot listen";
  Put(kBmpPicture, MakeBmp(2000, 1500));  // 9 MB: two thousand packets
  StartOn(kBmpPicture);
  platform::PostMessage(Browser(), platform::WM_COMMAND, kCommandSendObex, 0);
  ASSERT_TRUE(Within(10, [] { return Status() == "Connected to Receiver"; })) << Status();
  receiver_.reset();  // killed
  ASSERT_TRUE(Within(20, [] { return Status() == "Sending failed (error 666)."; })) << Status();
  ASSERT_TRUE(CloseDialog());
  Command(kCommandClipboard125);
  EXPECT_TRUE(Clipboard());
}

}  // namespace
}  // namespace gallery::testing
