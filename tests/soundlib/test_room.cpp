// The room: what it adds to a sum does not depend on how the sum is cut into blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "soundlib/Room.h"

namespace {

// A block of an odd length used to end with a pair whose second sample had not come
// in yet: the room answered it from a sample beyond the block.
TEST(Room, BlocksOfAnyLengthGiveTheSameRoomAsOneBlock) {
  std::vector<float> input(6001);
  for (size_t i = 0; i < input.size(); ++i) input[i] = static_cast<float>(std::sin(0.37 * i) * std::cos(0.011 * i));
  soundlib::Room whole, cut;
  whole.Init();
  cut.Init();
  std::vector<float> a = input, b = input;
  whole.Process(a.data(), static_cast<int>(a.size()));
  const int blocks[] = {1, 7, 13, 2, 1001, 3, 2049, 5};
  size_t at = 0;
  for (size_t k = 0; at < b.size(); ++k) {
    const int n = std::min(blocks[k % 8], static_cast<int>(b.size() - at));
    cut.Process(b.data() + at, n);
    at += static_cast<size_t>(n);
  }
  for (size_t i = 0; i < a.size(); ++i) ASSERT_NEAR(a[i], b[i], 1e-6) << "sample " << i;
}

}  // namespace
