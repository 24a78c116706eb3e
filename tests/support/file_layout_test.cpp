#include <gtest/gtest.h>

#include <algorithm>

#include "support/file_layout.h"
#include "support/graph_text.h"

namespace mivalto::testing {
namespace {

TEST(FileLayoutTest, TextBeginsAtTheChosenSector) {
  const ByteVector text = GraphText().Line("0002").End().Bytes();
  const ByteVector file = PlaceAtSector(text, 3, SectorFill::kZeros, 5);
  ASSERT_EQ(file.size(), 3 * kSectorSize + text.size() + 5);
  EXPECT_TRUE(std::all_of(file.begin(), file.begin() + 3 * kSectorSize,
                          [](std::uint8_t b) { return b == 0; }));
  EXPECT_TRUE(std::equal(text.begin(), text.end(), file.begin() + 3 * kSectorSize));
}

// A decoy must not pass for a version line in any reading: not as units "0002" or "0003",
// and it must differ from a real one in its first eight bytes.
TEST(FileLayoutTest, DecoysAreNotVersionLines) {
  const ByteVector real2 = GraphText().Text("0002").Bytes();
  const ByteVector real3 = GraphText().Text("0003").Bytes();
  for (std::size_t i = 0; i < 10; ++i) {
    const ByteVector sector = FillerSector(SectorFill::kDecoys, i);
    ASSERT_EQ(sector.size(), kSectorSize);
    EXPECT_NE(sector, FillerSector(SectorFill::kZeros, i)) << i;
    EXPECT_FALSE(std::equal(real2.begin(), real2.end(), sector.begin())) << i;
    EXPECT_FALSE(std::equal(real3.begin(), real3.end(), sector.begin())) << i;
  }
}

TEST(FileLayoutTest, TruncateKeepsAPrefix) {
  const ByteVector bytes{1, 2, 3};
  EXPECT_EQ(Truncate(bytes, 2), (ByteVector{1, 2}));
  EXPECT_EQ(Truncate(bytes, 9), bytes);
  EXPECT_TRUE(Truncate(bytes, 0).empty());
}

}  // namespace
}  // namespace mivalto::testing
