// The dissolve: 5 x 5 blocks copied in the order of a maximal-length
// Galois shift register, which visits every number of its width but 0
// exactly once before it returns to 1; block (0, 0) comes last.
#include <algorithm>
#include <bit>

#include "effects.h"

namespace gallery::transitions {
namespace {

inline constexpr int kBlock = 5;

// Tap masks of maximal-length registers, by the register's bit count.
constexpr std::uint32_t kTapMasks[] = {
    0,         0,          0x3,        0x6,        0xC,       0x14,      0x30,
    0x60,      0xB8,       0x110,      0x240,      0x500,     0xCA0,     0x1B00,
    0x3500,    0x6000,     0xB400,     0x12000,    0x20400,   0x72000,   0x90000,
    0x140000,  0x300000,   0x400000,   0xD80000,   0x1200000, 0x3880000, 0x7200000,
    0x9000000, 0x14000000, 0x32800000, 0x48000000, 0xA3000000};

int BitLength(int value) { return std::bit_width(static_cast<unsigned>(value)); }

class Dissolve final : public Transition {
 public:
  Dissolve(const Picture& new_picture) : new_(new_picture) {
    // Partial blocks at the right and bottom edges count too, so that
    // no strip of the old picture is left behind.
    columns_ = (new_picture.width + kBlock - 1) / kBlock;
    rows_ = (new_picture.height + kBlock - 1) / kBlock;
    column_bits_ = BitLength(columns_);
    const int bits = column_bits_ + BitLength(rows_);
    mask_ = bits < static_cast<int>(std::size(kTapMasks)) ? kTapMasks[bits] : 0;
  }

  std::optional<Frame> Next(const Picture& screen) override {
    while (!done_) {
      const std::uint32_t current = state_;
      // A register without taps (a screen of one block) would stay at 0.
      state_ = (current >> 1) ^ ((current & 1) ? mask_ : 0);
      if (state_ == 1 || state_ == 0 || mask_ == 0) done_ = true;
      const int column = static_cast<int>(current & ((1u << column_bits_) - 1));
      const int row = static_cast<int>(current >> column_bits_);
      if (column < columns_ && row < rows_) return CopyCell(screen, column, row);
    }
    if (!last_done_) {
      last_done_ = true;
      return CopyCell(screen, 0, 0);
    }
    return std::nullopt;
  }

 private:
  Frame CopyCell(const Picture& screen, int column, int row) {
    const int x = column * kBlock;
    const int y = row * kBlock;
    CopyBlock(screen, x, y, new_, x, y, kBlock, kBlock);
    return {{x, y, std::min(x + kBlock, new_.width), std::min(y + kBlock, new_.height)}, 0};
  }

  Picture new_;
  int columns_ = 0;
  int rows_ = 0;
  int column_bits_ = 0;
  std::uint32_t mask_ = 0;
  std::uint32_t state_ = 1;
  bool done_ = false;
  bool last_done_ = false;
};

}  // namespace

std::unique_ptr<Transition> MakeDissolve(const Picture&, const Picture& new_picture) {
  return std::make_unique<Dissolve>(new_picture);
}

}  // namespace gallery::transitions
