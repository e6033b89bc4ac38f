// Ending a session from the closing thread: during the search, while the
// worker waits for a peer that stopped answering, and before the worker
// made its socket. Times are on the handheld's virtual clock.
#include <atomic>
#include <string>
#include <vector>

#include "beam_test_fixture.h"
#include "fake_obex_peer.h"
#include "platform/time.h"

namespace obex::testing {
namespace {

using CancelTest = BeamTest;

TEST_F(CancelTest, ClosingEndsTheSearchWithinASecond) {
  // Nobody in range: the worker searches once a second until cancelled.
  BeamSession session(resources_, MakeFile("a.jpg", 100), observer_);
  ASSERT_TRUE(session.Start());
  platform::Sleep(5'500);
  EXPECT_EQ(observer_.statuses().back(), String(kStringSearching));

  const std::uint64_t closing_at = platform::clock::NowMs();
  bool closed = false;
  platform::ThreadHandle closer = session.StartClosing([&] { closed = true; });
  ASSERT_EQ(platform::WaitForSingleObject(closer, platform::INFINITE), platform::WAIT_OBJECT_0);
  EXPECT_TRUE(closed);
  platform::DWORD exit_code = 0;
  ASSERT_TRUE(platform::GetExitCodeThread(session.worker(), &exit_code));
  EXPECT_NE(exit_code, platform::STILL_ACTIVE);
  EXPECT_LT(platform::clock::NowMs() - closing_at, 1000u);
  EXPECT_EQ(observer_.statuses().back(), Failed());
  EXPECT_FALSE(session.Succeeded());
  EXPECT_EQ(sockets().OpenSockets(), 0u);
}

TEST_F(CancelTest, ClosingEndsABlockedBodyTransferWithinASecond) {
  FakeObexPeer peer(PeerScript().StallingAt(3));  // the second body packet gets no answer
  AddPeer(peer.port());
  BeamSession session(resources_, MakeFile("a.jpg", 10'000), observer_);
  ASSERT_TRUE(session.Start());
  ASSERT_TRUE(peer.WaitUntilStalled());

  const std::uint64_t closing_at = platform::clock::NowMs();
  platform::ThreadHandle closer = session.StartClosing();
  ASSERT_EQ(platform::WaitForSingleObject(closer, platform::INFINITE), platform::WAIT_OBJECT_0);
  EXPECT_LT(platform::clock::NowMs() - closing_at, 1000u);
  EXPECT_EQ(peer.Requests().size(), 4u);
  const std::vector<std::string> log = observer_.log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "Socket Error while reading header");
  EXPECT_EQ(log.back(), "GetPacket in GetAck failed!");
  EXPECT_EQ(observer_.statuses().back(), Failed());
}

TEST_F(CancelTest, ClosingTwiceKeepsTheFirstClosingThread) {
  // OK, then Cancel while the first closing still waits for the worker.
  BeamSession session(resources_, MakeFile("a.jpg", 100), observer_);
  ASSERT_TRUE(session.Start());
  platform::Sleep(1'500);
  std::atomic<int> first_closed = 0;
  std::atomic<int> second_closed = 0;
  platform::ThreadHandle first = session.StartClosing([&] { ++first_closed; });
  platform::ThreadHandle second = session.StartClosing([&] { ++second_closed; });
  EXPECT_EQ(first, second);
  ASSERT_EQ(platform::WaitForSingleObject(first, platform::INFINITE), platform::WAIT_OBJECT_0);
  EXPECT_EQ(first_closed, 1);
  EXPECT_EQ(second_closed, 0);
  EXPECT_EQ(session.StartClosing(), first);  // and after it ended
}

TEST_F(CancelTest, ClosingBeforeTheSocketExistsStillEndsTheWorker) {
  FakeObexPeer peer;
  AddPeer(peer.port());
  BeamSession session(resources_, MakeFile("a.jpg", 100), observer_);
  session.Close();  // as if Cancel came while the file was still loading
  ASSERT_TRUE(session.Start());
  ASSERT_EQ(platform::WaitForSingleObject(session.worker(), 5'000), platform::WAIT_OBJECT_0);
  EXPECT_TRUE(peer.Requests().empty());
  EXPECT_EQ(observer_.statuses().back(), Failed());
}

TEST_F(CancelTest, ASessionLeftRunningIsClosedWhenItEnds) {
  const std::uint64_t start = platform::clock::NowMs();
  {
    BeamSession session(resources_, MakeFile("a.jpg", 100), observer_);
    ASSERT_TRUE(session.Start());
    platform::Sleep(1'500);
  }
  EXPECT_LE(platform::clock::NowMs() - start, 2'500u);
  EXPECT_EQ(observer_.statuses().back(), Failed());
}

}  // namespace
}  // namespace obex::testing
