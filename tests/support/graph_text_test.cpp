#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "support/byte_writer.h"
#include "support/graph_text.h"

namespace mivalto::testing {
namespace {

// The expected bytes are spelled as UTF-16 literals here, independently of the builder.
ByteVector Le(std::u16string_view text) {
  ByteVector bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

ByteVector Join(std::initializer_list<ByteVector> parts) {
  ByteVector all;
  for (const ByteVector& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(GraphTextTest, TextBecomesUtf16LittleEndian) {
  const struct {
    const char* utf8;
    std::u16string_view utf16;
  } rows[] = {
      {"0003\r\n", u"0003\r\n"},
      {"Entrée vidéo", u"Entrée vidéo"},
      {"€", u"\u20AC"},
      {"\xF0\x9F\x98\x80", u"\xD83D\xDE00"},  // U+1F600: a surrogate pair
      {"", u""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(GraphText().Text(row.utf8).Bytes(), Le(row.utf16)) << row.utf8;
  }
}

TEST(GraphTextTest, UnitsAndRawBytesGoInUnchanged) {
  const ByteVector bytes = GraphText().Units({0xD800, 'A'}).Raw(ByteVector{0x0D}).Bytes();
  EXPECT_EQ(bytes, (ByteVector{0x00, 0xD8, 'A', 0x00, 0x0D}));
}

TEST(GraphTextTest, BlockCountIsTenDigits) {
  EXPECT_EQ(GraphText().Block({}).Bytes(), Le(u"0000000000 "));
  const ByteVector odd{1, 2, 3};
  EXPECT_EQ(GraphText().Block(odd).Bytes(), Join({Le(u"0000000003 "), odd}));
  EXPECT_EQ(GraphText().Block(odd, "00000000x9").Bytes(), Join({Le(u"00000000x9 "), odd}));
  EXPECT_EQ(TenDigits(4'294'967'295U), "4294967295");
}

TEST(GraphTextTest, FilterEntryIsOneLine) {
  const ByteVector data{0xAB, 0xCD};
  const FilterEntry entry{.number = "0007",
                          .name = "Source é",
                          .clsid = "{E436EBB5-524F-11CE-9F53-0020AF0BA770}",
                          .clause = FilterClause{.text = R"(C:\a.avi)"},
                          .data = data};
  EXPECT_EQ(GraphText().Filter(entry).Bytes(),
            Join({Le(u"0007 \"Source é\" {E436EBB5-524F-11CE-9F53-0020AF0BA770} SOURCE "
                     u"\"C:\\a.avi\" 0000000002 "),
                  data, Le(u"\r\n")}));
}

TEST(GraphTextTest, FilterEntryWithoutClause) {
  const FilterEntry entry{.name = "R", .clsid = "{X}", .data_count = "0000000099"};
  EXPECT_EQ(GraphText().Filter(entry).Bytes(), Le(u"0001 \"R\" {X} 0000000099 \r\n"));
}

MediaTypeEntry SmallMedia() {
  return {.major_type = "{M}",
          .subtype = "{S}",
          .sample_size = "0000000004",
          .format_type = "{F}",
          .format = {0x11, 0x22, 0x33}};
}

TEST(GraphTextTest, ConnectionLengthFieldCountsTheMediaTypeBytes) {
  // From the major type to the end of the format block: 38 units (76 bytes), 3 raw bytes.
  const ByteVector expected = Join({Le(u"0001 \"Out\" 0002 \"In\" 0000000079 "
                                       u"{M} {S} 1 0 0000000004"),
                                    Le(std::u16string_view(u"\0", 1)),
                                    Le(u"{F} 0000000003 "), ByteVector{0x11, 0x22, 0x33},
                                    Le(u"\r\n")});
  const ConnectionEntry entry{.from_pin = "Out", .to_pin = "In", .media = SmallMedia()};
  EXPECT_EQ(GraphText().Connection(entry).Bytes(), expected);
}

TEST(GraphTextTest, OtherWriterUsesSpaceBeforeFormatTypeAndNulAfterBlock) {
  MediaTypeEntry media = SmallMedia();
  media.separator = FormatTypeSeparator::kSpace;
  media.nul_after_format = true;
  const ByteVector expected =
      Join({Le(u"0003 \"a b\" 0001 \"c\" 0000000081 {M} {S} 1 0 0000000004 {F} 0000000003 "),
            ByteVector{0x11, 0x22, 0x33}, Le(std::u16string_view(u"\0\r\n", 3))});
  const ConnectionEntry entry{
      .from = "0003", .from_pin = "a b", .to = "0001", .to_pin = "c", .media = media};
  EXPECT_EQ(GraphText().Connection(entry).Bytes(), expected);
}

TEST(GraphTextTest, ClockLineAndEnd) {
  EXPECT_EQ(GraphText().Clock("0000").End().Bytes(), Le(u"CLOCK 1 0000\r\nEND"));
  EXPECT_EQ(GraphText().Clock("{G}", "0").Bytes(), Le(u"CLOCK 0 {G}\r\n"));
}

TEST(ByteWriterTest, GuidBytesLieInMemoryOrder) {
  const auto bytes = GuidBytes("{00112233-4455-6677-8899-AABBCCDDEEFF}");
  const std::array<std::uint8_t, 16> expected = {0x33, 0x22, 0x11, 0x00, 0x55, 0x44,
                                                 0x77, 0x66, 0x88, 0x99, 0xAA, 0xBB,
                                                 0xCC, 0xDD, 0xEE, 0xFF};
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(GuidBytes("{00112233-4455-6677-8899-aabbccddeeff}"), expected);
  EXPECT_THROW(GuidBytes("{00112233-4455-6677-8899-AABBCCDDEEF}"), std::invalid_argument);
  EXPECT_THROW(GuidBytes("{0011223G-4455-6677-8899-AABBCCDDEEFF}"), std::invalid_argument);
}

TEST(ByteWriterTest, FieldsAreLittleEndian) {
  const ByteVector bytes =
      ByteWriter().U16(0xFEFF).I32(-2).U64(0x0102030405060708ULL).FourCC("YUY2").Result();
  EXPECT_EQ(bytes, (ByteVector{0xFF, 0xFE, 0xFE, 0xFF, 0xFF, 0xFF, 8, 7, 6, 5, 4, 3, 2, 1,
                               'Y', 'U', 'Y', '2'}));
}

}  // namespace
}  // namespace mivalto::testing
