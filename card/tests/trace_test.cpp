// The transfer trace: every transfer with its function, address, value
// and time, in order.
#include "card_fixture.h"
#include "platform/time.h"

namespace card {
namespace {

using Kind = TraceEntry::Kind;
using platform::BYTE;

TEST_F(CardTest, TheTraceRecordsEveryTransferInOrder) {
  client().Write(1, 5, 0x1D);
  card_->SetTracing(true);
  const std::uint64_t start = platform::sd::CardClockUs();
  client().WriteModule(93, 2);
  client().ReadModule(93);
  client().SetBlockLength(64);
  std::vector<BYTE> block(128);
  client().ReadBlocks(2, block.data());
  const std::vector<TraceEntry> trace = card_->Trace();
  ASSERT_EQ(trace.size(), 3u);
  EXPECT_EQ(trace[0], (TraceEntry{Kind::kWrite, 1, 0x10000 + 93, 2, trace[0].time_us}));
  EXPECT_EQ(trace[1], (TraceEntry{Kind::kRead, 1, 0x10000 + 93, 2, trace[1].time_us}));
  EXPECT_EQ(trace[2], (TraceEntry{Kind::kBlockRead, 1, 7, 128, trace[2].time_us}));
  EXPECT_GT(trace[0].time_us, start);
  EXPECT_GT(trace[1].time_us, trace[0].time_us);
  EXPECT_GT(trace[2].time_us, trace[1].time_us + 10);  // two blocks take longer than a byte

  card_->SetTracing(false);
  client().ReadModule(93);
  EXPECT_TRUE(card_->Trace().empty());
}

}  // namespace
}  // namespace card
