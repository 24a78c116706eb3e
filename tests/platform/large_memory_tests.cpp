// Large memory is ordinary memory to its users: every byte of every size can be written and
// read back, and a vector of it keeps its items in order across every kind of growth.
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

#include "platform/large_memory.h"

namespace mivalto {
namespace {

class LargeMemorySize : public ::testing::TestWithParam<std::size_t> {};

TEST_P(LargeMemorySize, EveryByteHoldsWhatWasWritten) {
  const std::size_t bytes = GetParam();
  const LargeMemoryBlock block = AllocateLargeBlock(bytes);
  ASSERT_NE(block.get(), nullptr);
  for (std::size_t i = 0; i < bytes; ++i) block[i] = static_cast<char>(i * 7);
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < bytes; ++i) wrong += block[i] != static_cast<char>(i * 7);
  EXPECT_EQ(wrong, 0u);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LargeMemorySize,
                         ::testing::Values(1, 4096, kLargeMemoryThreshold - 1,
                                           kLargeMemoryThreshold, kLargeMemoryThreshold + 1,
                                           3 * kLargeMemoryThreshold + 5));

TEST(LargeVector, KeepsItemsInOrderFromSmallToLarge) {
  LargeVector<std::uint64_t> items;
  constexpr std::size_t kCount = 600'000;  // past the small sizes and two large growths
  for (std::size_t i = 0; i < kCount; ++i) AppendToLargeVector(items, std::uint64_t{i});
  ASSERT_EQ(items.size(), kCount);
  std::vector<std::uint64_t> expected(kCount);
  std::iota(expected.begin(), expected.end(), 0);
  EXPECT_TRUE(std::equal(items.begin(), items.end(), expected.begin()));
}

}  // namespace
}  // namespace mivalto
