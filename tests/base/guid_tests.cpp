#include <gtest/gtest.h>

#include <array>

#include "base/guid.h"
#include "base/le_bytes.h"
#include "base/read_failure.h"
#include "support/byte_writer.h"

namespace mivalto {
namespace {

// Sixteen different bytes, so that any swapped or misplaced byte shows.
constexpr std::string_view kDistinct = "{01234567-89AB-CDEF-FEDC-BA9876543210}";
constexpr std::array<std::uint8_t, 16> kDistinctInMemory = {
    0x67, 0x45, 0x23, 0x01, 0xAB, 0x89, 0xEF, 0xCD,
    0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};

TEST(Guid, TextBytesAndValueAgree) {
  const Guid from_bytes = GuidFromBytes(kDistinctInMemory);
  EXPECT_EQ(from_bytes.data1, 0x01234567u);
  EXPECT_EQ(from_bytes.data2, 0x89ABu);
  EXPECT_EQ(from_bytes.data3, 0xCDEFu);
  EXPECT_EQ(from_bytes.data4, (std::array<std::uint8_t, 8>{0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54,
                                                            0x32, 0x10}));
  EXPECT_EQ(ParseGuid(kDistinct), from_bytes);
  EXPECT_EQ(GuidText(from_bytes), kDistinct);
  EXPECT_EQ(testing::GuidBytes(kDistinct), kDistinctInMemory);
}

TEST(Guid, ParsesEitherCaseAndWritesUpperCase) {
  const std::optional<Guid> lower = ParseGuid("{01234567-89ab-cdef-fedc-ba9876543210}");
  ASSERT_TRUE(lower);
  EXPECT_EQ(GuidText(*lower), kDistinct);
  EXPECT_EQ(GuidText(kGuidNull), "{00000000-0000-0000-0000-000000000000}");
}

TEST(Guid, RejectsTextsThatAreNoGuid) {
  for (const std::string_view text : {
           "",
           "{01234567-89AB-CDEF-FEDC-BA9876543210",     // no closing brace
           "01234567-89AB-CDEF-FEDC-BA9876543210}",     // no opening brace
           "{01234567-89AB-CDEF-FEDC-BA98765432100}",   // 39 characters
           "{0123456-789AB-CDEF-FEDC-BA9876543210}",    // dash one place off
           "{01234567-89AB-CDEF-FEDCBBA9876543210}",    // dash missing
           "{0123456G-89AB-CDEF-FEDC-BA9876543210}",    // G in the first group
           "{01234567-89AB-CDEF-FEDC-BA987654321G}",    // G in the last group
           "{+1234567-89AB-CDEF-FEDC-BA9876543210}",    // sign
           "{ 1234567-89AB-CDEF-FEDC-BA9876543210}",    // space
           "{0123456\xC3\xA9-89AB-CDEF-FEDC-BA987654321}",  // é: 38 bytes, 37 characters
       }) {
    EXPECT_FALSE(ParseGuid(text)) << text;
    EXPECT_THROW(ParseGuidOrFail(text), ReadFailure) << text;
  }
}

// Every byte has its top bit set: a reader that sign-extends or misplaces a byte shows.
TEST(LeBytes, ReadsSignedAndUnsignedFromHighBytes) {
  constexpr std::array<std::uint8_t, 9> kBytes = {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF,
                                                  0xFF, 0xFF, 0x80};
  EXPECT_EQ(LeU16(kBytes, 0), 0xFEFFu);
  EXPECT_EQ(LeU16(kBytes, 1), 0xFFFEu);
  EXPECT_EQ(LeU32(kBytes, 0), 0xFFFFFEFFu);
  EXPECT_EQ(LeU32(kBytes, 1), 0xFEFFFFFEu);
  EXPECT_EQ(LeI32(kBytes, 0), -257);
  EXPECT_EQ(LeI32(kBytes, 5), -0x7F000001);  // 0x80FFFFFF
  EXPECT_EQ(LeI64(kBytes, 0), -0x0100000101LL);  // 0xFFFFFFFEFFFFFEFF
  EXPECT_EQ(LeI64(kBytes, 1), static_cast<std::int64_t>(0x80FFFFFFFEFFFFFEULL));
}

}  // namespace
}  // namespace mivalto
