// The sending dialog as a person meets it: OrsaBeam runs on a thread of its
// own, the test finds the dialog's window, reads its controls and taps
// Done or Cancel. Times are on the handheld's virtual clock.
#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "beam_dialog_layout.h"
#include "beam_test_fixture.h"
#include "fake_obex_peer.h"
#include "platform/controls/list_box.h"
#include "platform/controls/static.h"
#include "platform/dialogs.h"
#include "platform/gdi.h"
#include "platform/time.h"
#include "platform/window.h"

namespace obex::testing {
namespace {

class BeamDialogTest : public BeamTest {
 protected:
  BeamDialogTest() : beam_(platform::LoadLibrary("orsabeam.dll")) {}
  ~BeamDialogTest() override {
    if (caller_) {
      if (platform::HWND dialog = Dialog()) Tap(dialog, dialog::kCommandCancel);
      platform::WaitForSingleObject(caller_, platform::INFINITE);
    }
    platform::FreeLibrary(beam_);
  }

  // Calls OrsaBeam on its own thread, as the gallery's window thread does,
  // and waits until its dialog shows.
  platform::HWND Open(const std::string& path) {
    auto* orsa_beam = platform::GetProcAddressAs<OrsaBeamFunction>(beam_, "OrsaBeam");
    EXPECT_NE(orsa_beam, nullptr);
    if (!orsa_beam) return nullptr;
    caller_ = platform::CreateThread(
        [orsa_beam, path, this] {
          result_ = orsa_beam(nullptr, path);
          return platform::DWORD{0};
        },
        "gallery window thread");
    // In real time: a worker blocked on a stalled peer holds the virtual
    // clock still.
    for (int i = 0; i < 1000 && !Dialog(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Dialog();
  }
  platform::HWND Dialog() {
    return platform::FindWindow(platform::WC_DIALOG, String(kStringTitle));
  }

  static void Tap(platform::HWND dialog, platform::UINT command) {
    platform::PostMessage(dialog, platform::WM_COMMAND, command, 0);
  }
  static std::string Status(platform::HWND dialog) {
    return platform::GetWindowText(platform::GetDlgItem(dialog, kControlStatus));
  }
  static std::vector<std::string> LogLines(platform::HWND dialog) {
    const platform::HWND log = platform::GetDlgItem(dialog, kControlLog);
    std::vector<std::string> lines;
    const auto count = platform::SendMessage(log, platform::LB_GETCOUNT, 0, 0);
    for (platform::LRESULT i = 0; i < count; ++i) {
      char line[2048] = {};
      platform::SendMessage(log, platform::LB_GETTEXT, static_cast<platform::WPARAM>(i),
                            reinterpret_cast<platform::LPARAM>(line));
      lines.emplace_back(line);
    }
    return lines;
  }
  // Polls every 50 ms of the handheld's clock, for at most a minute.
  template <typename Condition>
  static bool WaitFor(Condition condition) {
    for (int i = 0; i < 1200; ++i) {
      if (condition()) return true;
      platform::Sleep(50);
    }
    return condition();
  }
  bool Ended() { return platform::WaitForSingleObject(caller_, 0) == platform::WAIT_OBJECT_0; }

  platform::HMODULE beam_;
  platform::ThreadHandle caller_;
  std::optional<int> result_;
};

TEST_F(BeamDialogTest, StartsFullScreenWithItsControlsFontTitleAndVersionLine) {
  const platform::HWND dialog = Open(MakeFile("a.jpg", 100));
  ASSERT_NE(dialog, nullptr);
  platform::RECT frame;
  platform::GetWindowRect(dialog, &frame);
  EXPECT_EQ(frame.right - frame.left, 240);
  auto placed = [&](platform::UINT id) {
    platform::RECT rect;
    platform::GetWindowRect(platform::GetDlgItem(dialog, id), &rect);
    platform::POINT origin = {rect.left, rect.top};
    platform::ScreenToClient(dialog, &origin);
    return dialog::Placement{origin.x, origin.y, rect.right - rect.left, rect.bottom - rect.top};
  };
  const dialog::Placement status = placed(kControlStatus);
  const dialog::Placement log = placed(kControlLog);
  EXPECT_EQ((std::array{status.x, status.y, status.width, status.height}),
            (std::array{55, 20, 180, 55}));
  EXPECT_EQ((std::array{log.x, log.y, log.width, log.height}), (std::array{5, 85, 230, 195}));

  const auto font = reinterpret_cast<platform::HGDIOBJ>(platform::SendMessage(
      platform::GetDlgItem(dialog, kControlStatus), platform::WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  platform::LOGFONT description;
  ASSERT_GT(platform::GetObject(font, sizeof description, &description), 0);
  EXPECT_EQ(description.lfHeight, 14);
  EXPECT_EQ(description.lfWeight, 400);

  ASSERT_TRUE(WaitFor([&] { return !LogLines(dialog).empty(); }));
  EXPECT_EQ(LogLines(dialog).front(), "Version 1.00: Wed May 14 10:37:31 2003");
  EXPECT_FALSE(platform::IsWindowVisible(platform::GetDlgItem(dialog, kControlLog)));
}

TEST_F(BeamDialogTest, WithNobodyInRangeSearchesUntilCancelEndsItWithinASecond) {
  const platform::HWND dialog = Open(MakeFile("a.jpg", 100));
  ASSERT_NE(dialog, nullptr);
  platform::Sleep(10'000);  // ten searches
  EXPECT_EQ(Status(dialog), String(kStringSearching));
  EXPECT_FALSE(Ended());

  const std::uint64_t cancelled_at = platform::clock::NowMs();
  Tap(dialog, dialog::kCommandCancel);
  ASSERT_EQ(platform::WaitForSingleObject(caller_, 5'000), platform::WAIT_OBJECT_0);
  EXPECT_LT(platform::clock::NowMs() - cancelled_at, 1'000u);
  EXPECT_EQ(result_, 0);
  EXPECT_EQ(LastBeamTranscript().statuses.back(), Failed());
  EXPECT_EQ(sockets().OpenSockets(), 0u);
}

TEST_F(BeamDialogTest, OkThenCancelClosesOnceAfterTheWorkerEnded) {
  FakeObexPeer peer(PeerScript().StallingAt(2));  // the first body gets no answer
  AddPeer(peer.port());
  const platform::HWND dialog = Open(MakeFile("a.jpg", 10'000));
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(peer.WaitUntilStalled());
  Tap(dialog, dialog::kCommandOk);
  Tap(dialog, dialog::kCommandCancel);
  ASSERT_EQ(platform::WaitForSingleObject(caller_, 5'000), platform::WAIT_OBJECT_0);
  EXPECT_EQ(result_, 0);
  const BeamTranscript transcript = LastBeamTranscript();
  EXPECT_EQ(transcript.statuses.back(), Failed());
  EXPECT_EQ(transcript.log.back(), "GetPacket in GetAck failed!");
  EXPECT_EQ(Dialog(), nullptr);
}

TEST_F(BeamDialogTest, ShowsTheOutcomeAndStaysOpenUntilDone) {
  FakeObexPeer peer;
  AddPeer(peer.port(), "Pocket PC");
  const std::string path = MakeFile("b.jpg", 5'000);
  const platform::HWND dialog = Open(path);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitFor([&] { return Status(dialog) == Succeeded(); }));
  platform::Sleep(3'000);
  EXPECT_FALSE(Ended());
  EXPECT_EQ(peer.Requests().size(), 6u);  // Connect, first PUT, 2 bodies, final PUT, Disconnect
  const std::vector<std::string> log = LogLines(dialog);
  EXPECT_EQ(log, (std::vector<std::string>{"Version 1.00: Wed May 14 10:37:31 2003", "Connect",
                                           "Description", "Body"}));
  const BeamTranscript transcript = LastBeamTranscript();  // of no call yet
  EXPECT_TRUE(transcript.statuses.empty());

  Tap(dialog, dialog::kCommandOk);  // Done
  ASSERT_EQ(platform::WaitForSingleObject(caller_, 5'000), platform::WAIT_OBJECT_0);
  EXPECT_EQ(result_, 0);
  const std::vector<std::string> statuses = LastBeamTranscript().statuses;
  ASSERT_GE(statuses.size(), 4u);
  EXPECT_EQ(statuses[0], String(kStringLoading));
  EXPECT_EQ(statuses[1], String(kStringSearching));
  EXPECT_EQ(statuses[2], FormatBeamString(resources_, kStringConnected, "Pocket PC"));
  EXPECT_EQ(statuses.back(), Succeeded());
}

TEST_F(BeamDialogTest, TheThirdTapOnTheSwitchShowsTheLog) {
  const platform::HWND dialog = Open(MakeFile("a.jpg", 100));
  ASSERT_NE(dialog, nullptr);
  const platform::HWND log = platform::GetDlgItem(dialog, kControlLog);
  const platform::HWND log_switch = platform::GetDlgItem(dialog, kControlLogSwitch);
  auto tap_switch = [&] {
    platform::SendMessage(dialog, platform::WM_COMMAND,
                          platform::MAKEWPARAM(kControlLogSwitch, platform::STN_CLICKED),
                          reinterpret_cast<platform::LPARAM>(log_switch));
  };
  tap_switch();
  tap_switch();
  EXPECT_FALSE(platform::IsWindowVisible(log));
  tap_switch();
  EXPECT_TRUE(platform::IsWindowVisible(log));
}

TEST_F(BeamDialogTest, AFileThatCannotBeLoadedSaysSoAndWaitsForDone) {
  const platform::HWND dialog = Open("\\My Documents\\missing.jpg");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitFor([&] { return Status(dialog) == "Can't Load file"; }));
  EXPECT_FALSE(Ended());
  Tap(dialog, dialog::kCommandOk);
  ASSERT_EQ(platform::WaitForSingleObject(caller_, 5'000), platform::WAIT_OBJECT_0);
  EXPECT_EQ(result_, 0);
}

}  // namespace
}  // namespace obex::testing
