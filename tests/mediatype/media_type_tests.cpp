// The three describers read through the scanner: names, flags, sample size, the framing of
// the format block, and where each leaves CurrentChar.
#include <gtest/gtest.h>

#include <string>

#include "base/read_failure.h"
#include "support/byte_writer.h"
#include "support/graph_text.h"
#include "support/media_type_lines.h"
#include "support/text_scanner.h"

namespace mivalto {
namespace {

using testing::ByteVector;
using testing::GraphText;
using testing::MediaTypeLines;
using testing::TextScanner;

constexpr std::uint16_t kMarker = 'Z';

// ---------------------------------------------------------------------------------------
// Major type

struct NameCase {
  std::string guid_text;
  std::string name;  // the line without its five leading spaces
};

class MajorTypeTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(MajorTypeTest, NamesTheGuidAndStopsOnTheSubtype) {
  TextScanner text(GraphText().Text(GetParam().guid_text).Text(" Z"));
  EXPECT_EQ(MediaTypeLines().MajorType(*text), "     " + GetParam().name);
  EXPECT_EQ(text->CurrentChar(), kMarker);
}

INSTANTIATE_TEST_SUITE_P(
    Names, MajorTypeTest,
    ::testing::Values(
        NameCase{"{73646976-0000-0010-8000-00AA00389B71}", "Mediatype Video"},
        NameCase{"{73646976-0000-0010-8000-00aa00389b71}", "Mediatype Video"},
        NameCase{"{e436eb83-524f-11ce-9f53-0020af0ba770}", "Mediatype Stream"},
        // No base GUID rule for major types: an unknown one is its text, as written.
        NameCase{"{32595559-0000-0010-8000-00AA00389B71}",
                 "{32595559-0000-0010-8000-00AA00389B71}"},
        NameCase{"{abcdef01-2345-6789-abcd-ef0123456789}",
                 "{abcdef01-2345-6789-abcd-ef0123456789}"}));

TEST(MajorType, TextThatIsNoGuidFails) {
  TextScanner text(GraphText().Text("{73646976-0000-0010-8000-00AA00389B7X} Z"));
  EXPECT_THROW(MediaTypeLines().MajorType(*text), ReadFailure);
}

// ---------------------------------------------------------------------------------------
// Subtype

// The subtype line with flags 0 0 and sample size 4, then the marker.
std::string DescribeSubtypeOf(std::string_view guid_text) {
  TextScanner text(GraphText().Text(guid_text).Text(" 0 0 0000000004 Z"));
  std::string line = MediaTypeLines().Subtype(*text);
  EXPECT_EQ(text->CurrentChar(), kMarker) << guid_text;
  return line;
}

class SubtypeTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SubtypeTest, NamesTheSubtype) {
  EXPECT_EQ(DescribeSubtypeOf(GetParam().guid_text), "     " + GetParam().name + " - (4)");
}

constexpr std::string_view kSuffix = "-0000-0010-8000-00AA00389B71}";

NameCase BaseMember(std::string_view first_group, std::string name) {
  return {"{" + std::string(first_group) + std::string(kSuffix), std::move(name)};
}

INSTANTIATE_TEST_SUITE_P(
    BaseGuidRule, SubtypeTest,
    ::testing::Values(
        BaseMember("32595559", "MediaSubType Video Compression YUY2"),
        BaseMember("3231564E", "MediaSubType Video Compression NV12"),
        BaseMember("3231564e", "MediaSubType Video Compression NV12"),
        // Wave format tags: 1 alone is PCM; wider values name their low 16 bits.
        BaseMember("00000001", "MediaSubType PCM Audio"),
        BaseMember("00010001", "MediasubType Audio - Compression PCM"),
        BaseMember("00000055", "MediasubType Audio - Compression MP3"),
        BaseMember("00010055", "MediasubType Audio - Compression MP3"),
        BaseMember("00000160", "MediasubType Audio - Compression Windows Media Audio V1"),
        BaseMember("0000003A", "MediasubType Audio - Compression ECHOSC3"),
        BaseMember("00000004", "MediasubType Audio - Compression Inconnu"),
        BaseMember("00FFFFFF", "MediasubType Audio - Compression Inconnu"),
        // Four-character codes: any byte below 32 is unknown; 32 and 128-255 are kept.
        BaseMember("01424752", "MediaSubType Video codec Inconnu"),
        BaseMember("1F414141", "MediaSubType Video codec Inconnu"),
        BaseMember("41414100", "MediaSubType Video codec Inconnu"),
        BaseMember("41414120", "MediaSubType Video Compression  AAA"),
        BaseMember("FF80E9C8", "MediaSubType Video Compression \xC3\x88\xC3\xA9\xC2\x80\xC3\xBF"),
        // Not hexadecimal digits: each character counts as 0, characters (not bytes) count.
        BaseMember("zz000001", "MediaSubType PCM Audio"),
        BaseMember("3259555G", "MediaSubType Video Compression PUY2"),
        BaseMember("3\xC3\xA9" "595559", "MediaSubType Video Compression YUY0"),
        NameCase{std::string(kSuffix), "MediaSubType PCM Audio"}));

INSTANTIATE_TEST_SUITE_P(
    Table, SubtypeTest,
    ::testing::Values(
        // The suffix test is case-sensitive: in lower case the table names the subtype.
        NameCase{"{32595559-0000-0010-8000-00aa00389b71}", "Mediasubtype YUY2"},
        NameCase{"{00000001-0000-0010-8000-00aa00389b71}", "Mediasubtype PCM Audio"},
        NameCase{"{20656C72-0000-0010-8000-00aA00389B71}", "Mediasubtype QT RLE"},
        NameCase{"{E06D802C-DB46-11CF-B4D1-00805F6CBBEA}", "Mediasubtype Dolby AC3"},
        NameCase{"{e436eb7d-524f-11ce-9f53-0020af0ba770}", "Mediasubtype RGB24"},
        NameCase{"{3DB80F90-9412-11D1-ADED-0000F8754B99}", "Mediasubtype Asf"},
        NameCase{"{3231564E-0000-0010-8000-00aa00389b71}",
                 "{3231564E-0000-0010-8000-00aa00389b71}"},
        NameCase{"{abcdef01-2345-6789-abcd-ef0123456789}",
                 "{abcdef01-2345-6789-abcd-ef0123456789}"}));

TEST(Subtype, TextThatIsNoGuidFailsUnlessTheRuleTakesIt) {
  TextScanner text(GraphText().Text("{32595559-0000-0010-8000-00AA00389B7} 0 0 0000000004 Z"));
  EXPECT_THROW(MediaTypeLines().Subtype(*text), ReadFailure);
}

struct FlagsCase {
  std::string fixed;
  std::string temporal;
  std::string size;
  std::string tail;  // the line after "     Mediasubtype RGB24 - "
};

class SubtypeFlagsTest : public ::testing::TestWithParam<FlagsCase> {};

TEST_P(SubtypeFlagsTest, ShowsFlagsAboveZeroAndTheFoldedSize) {
  const FlagsCase& c = GetParam();
  TextScanner text(GraphText()
                       .Text("{E436EB7D-524F-11CE-9F53-0020AF0BA770} ")
                       .Text(c.fixed).Text(" ").Text(c.temporal).Text(" ").Text(c.size)
                       .Text(" Z"));
  EXPECT_EQ(MediaTypeLines().Subtype(*text), "     Mediasubtype RGB24 - " + c.tail);
  EXPECT_EQ(text->CurrentChar(), kMarker);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, SubtypeFlagsTest,
    ::testing::Values(
        FlagsCase{"1", "0", "0000614400", "Echantillons de taille fixe - (614400)"},
        FlagsCase{"0", "1", "0000614400", "Compression temporelle - (614400)"},
        FlagsCase{"0", "0", "0000614400", "(614400)"},
        FlagsCase{"1", "1", "0000614400",
                  "Echantillons de taille fixe - Compression temporelle - (614400)"},
        // Set when the low byte is above "0": "2" and "A" are set; "/", a space and U+0130
        // (low byte 0x30) are not; U+0131 (low byte 0x31) is.
        FlagsCase{"2", "/", "0000000000", "Echantillons de taille fixe - (0)"},
        FlagsCase{" ", "A", "0000000000", "Compression temporelle - (0)"},
        FlagsCase{"\xC4\xB0", "\xC4\xB1", "0000000000", "Compression temporelle - (0)"},
        // The size is a 32-bit fold that wraps and checks no digit.
        FlagsCase{"0", "0", "9999999999", "(1410065407)"},
        FlagsCase{"0", "0", "4294967295", "(-1)"},
        FlagsCase{"0", "0", "4294967296", "(0)"},
        FlagsCase{"0", "0", "000000000A", "(17)"}));

// ---------------------------------------------------------------------------------------
// Format type and block framing

// A format line read from: format type, space, block with `count` bytes, then "Z", CR LF, "N".
// Checks that the describer leaves CurrentChar after the block, or, with one or two bytes left,
// that the rest-of-line skip still finds the next line.
std::string DescribeFormatOf(std::string_view format_guid, const ByteVector& block,
                             std::int64_t leftover) {
  TextScanner text(GraphText().Text(format_guid).Text(" ").Block(block).Text("Z\r\nN"));
  std::string line = MediaTypeLines().Format(*text);
  if (leftover == 0 || leftover > 2) {
    EXPECT_EQ(text->CurrentChar(), kMarker);
  }
  text->SkipLineRest();
  EXPECT_EQ(text->CurrentChar(), 'N');
  return line;
}

// Bytes that are never all zero, so that a record read from the wrong place shows.
ByteVector Pattern(std::size_t size) {
  ByteVector bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(0x41 + i % 26);
  return bytes;
}

struct FramingCase {
  std::string guid_text;
  std::string name;
  std::size_t record_size;  // 0: no record
  int field_lines;
};

class FormatFramingTest : public ::testing::TestWithParam<FramingCase> {};

std::string Note(std::int64_t count) {
  return count > 2 ? "<" + std::to_string(count) + " octets de données binaires >" : "";
}

int LineBreaks(std::string_view text) {
  int breaks = 0;
  for (std::size_t at = text.find("\r\n"); at != text.npos; at = text.find("\r\n", at + 2)) {
    ++breaks;
  }
  return breaks;
}

// Shorter than the record: only the note, on the format line. The record and 0 to 3 bytes
// more: the field lines, the indented last line, the note on it from 3 bytes on.
TEST_P(FormatFramingTest, ShowsTheRecordOnlyWhenTheBlockHoldsIt) {
  const FramingCase& c = GetParam();
  const std::string head = "     " + c.name + "  ";
  const std::int64_t record = static_cast<std::int64_t>(c.record_size);
  for (const std::int64_t size : {record - 1, record, record + 1, record + 2, record + 3,
                                  record + 1024, std::int64_t{0}, std::int64_t{1},
                                  std::int64_t{2}, std::int64_t{3}}) {
    if (size < 0) continue;
    SCOPED_TRACE("block of " + std::to_string(size) + " bytes");
    const bool decoded = c.record_size > 0 && size >= record;
    const std::int64_t leftover = decoded ? size - record : size;
    const std::string line = DescribeFormatOf(c.guid_text, Pattern(size), leftover);
    ASSERT_TRUE(line.starts_with(head)) << line;
    const std::string_view body = std::string_view(line).substr(head.size());
    if (decoded) {
      EXPECT_EQ(LineBreaks(body), c.field_lines + 1);
      EXPECT_TRUE(body.starts_with("\r\n          ")) << body;
      EXPECT_TRUE(body.ends_with("\r\n          " + Note(leftover))) << body;
    } else {
      EXPECT_EQ(body, Note(leftover));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Types, FormatFramingTest,
    ::testing::Values(
        FramingCase{"{05589F80-C356-11CE-BF01-00AA0055595A}", "Format VideoInfoHeader", 88, 16},
        FramingCase{"{F72A76A0-EB0A-11D0-ACE4-0000C0CC16BA}", "Format VideoInfoHeader2", 112,
                    22},
        FramingCase{"{05589F82-C356-11CE-BF01-00AA0055595A}", "Format Mpeg1VideoInfo", 104, 18},
        FramingCase{"{E06D80E3-DB46-11CF-B4D1-00805F6CBBEA}", "Format Mpeg2VideoInfo", 136, 21},
        FramingCase{"{05589F81-C356-11CE-BF01-00AA0055595A}", "Format WaveFormatEx", 18, 7},
        FramingCase{"{05589F84-C356-11CE-BF01-00AA0055595A}", "Format DVInfo", 32, 8},
        FramingCase{"{0482DDE0-7817-11CF-8A03-00AA006ECB65}", "Format Analog Video", 48, 5},
        FramingCase{"{05589f81-c356-11ce-bf01-00aa0055595a}", "Format WaveFormatEx", 18, 7},
        FramingCase{"{05589F83-C356-11CE-BF01-00AA0055595A}", "Format AM_MpegSystemType", 0, 0},
        FramingCase{"{0F6417D6-C318-11D0-A43F-00A0C9223196}", "Format None", 0, 0},
        FramingCase{"{00000000-0000-0000-0000-000000000000}", "No Format", 0, 0},
        FramingCase{"{12345678-9ABC-DEF0-1234-56789ABCDEF0}", "Unknown Format", 0, 0}));

TEST(FormatBlock, CountPastTheEndOfTheFileFails) {
  TextScanner text(GraphText()
                       .Text("{0F6417D6-C318-11D0-A43F-00A0C9223196} ")
                       .Block(Pattern(4), "0000000100")
                       .Text("\r\n"));
  EXPECT_THROW(MediaTypeLines().Format(*text), ReadFailure);
}

TEST(FormatBlock, NegativeCountReadsNothing) {
  TextScanner text(GraphText()
                       .Text("{05589F81-C356-11CE-BF01-00AA0055595A} ")
                       .Block(Pattern(18), "4294967295")
                       .Text("\r\nN"));
  EXPECT_EQ(MediaTypeLines().Format(*text), "     Format WaveFormatEx  ");
  text->SkipLineRest();
  EXPECT_EQ(text->CurrentChar(), 'N');
}

TEST(FormatBlock, FormatTypeThatIsNoGuidFails) {
  TextScanner text(GraphText().Text("{0F6417D6-C318-11D0-A43F} ").Block({}).Text("\r\n"));
  EXPECT_THROW(MediaTypeLines().Format(*text), ReadFailure);
}

}  // namespace
}  // namespace mivalto
