#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "mediatype/format_type_table.h"
#include "mediatype/major_type_table.h"
#include "mediatype/names.h"
#include "mediatype/subtype_table.h"
#include "mediatype/wave_format_tag_table.h"

namespace mivalto {
namespace {

// Every table: the expected number of rows, each value once, no empty text.
template <class Row, std::size_t N, class Key>
void ExpectWellFormed(const Row (&table)[N], std::size_t expected_rows, Key (*key)(const Row&)) {
  EXPECT_EQ(N, expected_rows);
  std::set<Key> keys;
  for (const Row& row : table) {
    EXPECT_TRUE(keys.insert(key(row)).second) << "twice: " << row.text;
    EXPECT_FALSE(row.text.empty());
  }
}

std::string GuidKey(const GuidName& row) { return GuidText(row.value); }
std::string FormatKey(const FormatType& row) { return GuidText(row.value); }
std::uint16_t TagKey(const Named<std::uint16_t>& row) { return row.value; }

TEST(NamingTables, AreCompleteAndUnique) {
  ExpectWellFormed(kMajorTypeTable, 18, GuidKey);
  ExpectWellFormed(kSubtypeTable, 105, GuidKey);
  ExpectWellFormed(kFormatTypeTable, 10, FormatKey);
  ExpectWellFormed(kWaveFormatTagTable, 69, TagKey);
}

TEST(NamingTables, FormatTypesWithADecoderHaveARecordSize) {
  int decoded = 0;
  for (const FormatType& type : kFormatTypeTable) {
    EXPECT_EQ(type.decoder != nullptr, type.record_size > 0) << type.text;
    decoded += type.decoder != nullptr;
  }
  EXPECT_EQ(decoded, 7);
}

TEST(WaveFormatTagName, NamesKnownTagsAndOnlyThose) {
  EXPECT_EQ(WaveFormatTagName(0x0001), "PCM");
  EXPECT_EQ(WaveFormatTagName(0x0055), "MP3");
  EXPECT_EQ(WaveFormatTagName(0x0062), "VOXWARE");
  EXPECT_EQ(WaveFormatTagName(0x0075), "VOXWARE");
  EXPECT_EQ(WaveFormatTagName(0x1400), "NORRIS");
  EXPECT_EQ(WaveFormatTagName(0x0000), "Inconnu");
  EXPECT_EQ(WaveFormatTagName(0x0004), "Inconnu");
  EXPECT_EQ(WaveFormatTagName(0xFFFE), "Inconnu");
}

struct FourCCCase {
  std::uint32_t code;
  std::string text;
};

TEST(FourCCText, WritesBytesLeastSignificantFirstUnlessOneIsBelow32) {
  const FourCCCase cases[] = {
      {0x32595559, "YUY2"},
      {0x3234504D, "MP42"},
      {0x20202020, "    "},                              // 32 is the lowest byte kept
      {0x2020201F, ""},                                  // 31 in the first byte
      {0x1F414141, ""},                                  // 31 in the last byte
      {0x41410041, ""},                                  // 0 in the middle
      {0x00000000, ""},                                  // uncompressed
      {0x00000001, ""},
      {0xFF414141, "AAA\xC3\xBF"},                       // 255: U+00FF
      {0x7F80C8E9, "\xC3\xA9\xC3\x88\xC2\x80\x7F"},      // é, È, U+0080, DEL
  };
  for (const FourCCCase& c : cases) EXPECT_EQ(FourCCText(c.code), c.text) << std::hex << c.code;
}

}  // namespace
}  // namespace mivalto
