// What each format block decoder writes, byte for byte: labels, spacing, number forms and
// flag words. Every field holds a different value, so a field read from the wrong offset or
// with the wrong width or sign shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <string>

#include "mediatype/format_decoders.h"
#include "mediatype/media_type.h"
#include "support/byte_writer.h"
#include "support/graph_text.h"
#include "support/media_type_lines.h"
#include "support/text_scanner.h"

namespace mivalto {
namespace {

using testing::ByteVector;
using testing::ByteWriter;
using testing::GraphText;
using testing::TextScanner;

// Field lines as the report shows them: each on its own line, indented by ten spaces.
std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const std::string_view line : lines) (text += "\r\n          ") += line;
  return text;
}

const std::string kTrailer = "\r\n          ";

ByteWriter& VideoHeader(ByteWriter& w) {
  return w.I32(0).I32(0).I32(720).I32(576)       // rcSource
      .I32(8).I32(-16).I32(712).I32(560)         // rcTarget
      .U32(0xFFFFFFFF)                           // dwBitRate: unsigned
      .U32(3)                                    // dwBitErrorRate
      .I64(-4294967297);                         // AvgTimePerFrame: both words, signed
}
const std::string kVideoHeaderLines =
    Lines({"rcSource = 0,0,720,576", "rcTarget = 8,-16,712,560", "bitRate = 4294967295",
           "ErrorBitRate = 3", "AvgTimePerFrame = -4294967297"});

ByteWriter& BitmapHeader(ByteWriter& w) {
  return w.U32(40).I32(-1).I32(-480).U16(1).U16(0xFFFF).FourCC("YUY2").U32(0xFFFFFFFE)
      .I32(-2835).I32(2835).U32(256).U32(7);
}
const std::string kBitmapHeaderLines =
    Lines({"biSize = 40", "biWidth = -1", "biHeight = -480", "biPlanes = 1",
           "biBitCount = 65535", "biCompression = YUY2", "biSizeImage = 4294967294",
           "biXPelsPerMeter = -2835", "biYPelsPerMeter = 2835", "biClrUsed = 256",
           "biClrImportant = 7"});

// VIDEOINFOHEADER2 between its video header and its bitmap header.
ByteWriter& VideoInfo2Middle(ByteWriter& w) {
  return w.U32(0x25).U32(1).U32(16).U32(9).U32(0x05).U32(0xFFFFFFFF);
}
const std::string kVideoInfo2MiddleLines =
    Lines({"InterlaceFlags = isInterlaced Field1First FieldPatBothRegular DisplayModeBobOnly",
           "CopyProtectFlags =  RestrictDuplication", "PictAspectRatioX = 16",
           "PictAspectratioY = 9", "ControlFlags =  Used PAD to 16x9", "Reserved2 = 4294967295"});

ByteVector VideoInfo() {
  ByteWriter w;
  BitmapHeader(VideoHeader(w));
  return w.Result();
}

ByteVector VideoInfo2() {
  ByteWriter w;
  BitmapHeader(VideoInfo2Middle(VideoHeader(w)));
  return w.Result();
}

// The model's fields: labels without " = ", values without the spaces around them, in the
// order of the lines.
TEST(DecodedFields, NamesAndValuesDropTheReportsSpacing) {
  const ByteVector record = VideoInfo2();
  DecodedFields fields;
  DescribeVideoInfo2(record, fields);
  ASSERT_EQ(fields.size(), 22u);
  const std::pair<std::string_view, std::string_view> expected[] = {
      {"rcSource", "0,0,720,576"},
      {"InterlaceFlags", "isInterlaced Field1First FieldPatBothRegular DisplayModeBobOnly"},
      {"CopyProtectFlags", "RestrictDuplication"},
      {"PictAspectratioY", "9"},
      {"ControlFlags", "Used PAD to 16x9"},
      {"biCompression", "YUY2"}};
  for (const auto& [name, value] : expected) {
    const auto field = std::ranges::find(fields, name, FieldName);
    ASSERT_NE(field, fields.end()) << name;
    EXPECT_EQ(FieldValue(*field), value) << name;
  }
  EXPECT_EQ(FieldName(fields[5]), "InterlaceFlags");
}

struct GoldenCase {
  std::string name;
  std::string format_guid;
  ByteVector block;
  std::string line;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

class FormatGoldenTest : public ::testing::TestWithParam<GoldenCase> {};

// A whole media type as a connection stores it, then the next line: the three lines in
// order, and the rest-of-line skip lands on the next line whatever the block's length.
TEST_P(FormatGoldenTest, WritesTheMediaTypeLines) {
  testing::MediaTypeEntry media;
  media.major_type = "{73646976-0000-0010-8000-00AA00389B71}";
  media.subtype = "{32595559-0000-0010-8000-00AA00389B71}";
  media.sample_size = "0000614400";
  media.format_type = GetParam().format_guid;
  media.format = GetParam().block;
  TextScanner text(GraphText().Media(media).Line("").Text("N"));
  GraphScanner& scanner = *text;
  testing::MediaTypeLines lines;
  EXPECT_EQ(lines.MajorType(scanner), "     Mediatype Video");
  EXPECT_EQ(lines.Subtype(scanner),
            "     MediaSubType Video Compression YUY2 - Echantillons de taille fixe - (614400)");
  EXPECT_EQ(lines.Format(scanner), GetParam().line);
  scanner.SkipLineRest();
  EXPECT_EQ(scanner.CurrentChar(), 'N');
}

std::vector<GoldenCase> GoldenCases() {
  std::vector<GoldenCase> cases;
  cases.push_back({"VideoInfoHeader", "{05589F80-C356-11CE-BF01-00AA0055595A}", VideoInfo(),
                   "     Format VideoInfoHeader  " + kVideoHeaderLines + kBitmapHeaderLines +
                       kTrailer});
  {
    ByteWriter w;
    w.Bytes(VideoInfo()).Fill(1024, 0xFF);  // a colour table
    cases.push_back({"VideoInfoHeaderWithColours", "{05589F80-C356-11CE-BF01-00AA0055595A}",
                     w.Result(),
                     "     Format VideoInfoHeader  " + kVideoHeaderLines + kBitmapHeaderLines +
                         kTrailer + "<1024 octets de données binaires >"});
  }
  cases.push_back({"VideoInfoHeader2", "{F72A76A0-EB0A-11D0-ACE4-0000C0CC16BA}", VideoInfo2(),
                   "     Format VideoInfoHeader2  " + kVideoHeaderLines +
                       kVideoInfo2MiddleLines + kBitmapHeaderLines + kTrailer});
  {
    ByteWriter w;  // a 12-byte sequence header: 8 bytes in the record, 4 left over
    w.Bytes(VideoInfo()).U32(0x12345678).U32(12).Fill(12, 0xB3);
    cases.push_back({"Mpeg1VideoInfo", "{05589F82-C356-11CE-BF01-00AA0055595A}", w.Result(),
                     "     Format Mpeg1VideoInfo  " + kVideoHeaderLines + kBitmapHeaderLines +
                         Lines({"StartTimeCode = 305419896", "cbSequenceHeader = 12"}) +
                         kTrailer + "<4 octets de données binaires >"});
  }
  {
    ByteWriter w;
    w.Bytes(VideoInfo2()).U32(0xFFFFFFFF).U32(140).U32(2).U32(3).U32(0x209).Fill(4, 0xB3);
    cases.push_back({"Mpeg2VideoInfo", "{E06D80E3-DB46-11CF-B4D1-00805F6CBBEA}", w.Result(),
                     "     Format Mpeg2VideoInfo  " + kVideoHeaderLines + kBitmapHeaderLines +
                         Lines({"StartTimeCode = 4294967295", "cbSequenceHeader = 140",
                                "MPEG2 Profile = Main", "MPEG2 Level = High 1440",
                                "Flags = DoPanScan SourceIsLetterboxed WidescreenAnalogOut "}) +
                         kTrailer});
  }
  {
    ByteWriter w;  // WAVE_FORMAT_EXTENSIBLE: 22 bytes after cbSize
    w.U16(0xFFFE).U16(2).U32(48000).U32(0xFFFFFFFF).U16(4).U16(16).U16(22).Fill(22, 0xFE);
    cases.push_back({"WaveFormatEx", "{05589F81-C356-11CE-BF01-00AA0055595A}", w.Result(),
                     "     Format WaveFormatEx  " +
                         Lines({"FormatTag = 65534", "Channels = 2", "Samples Per Sec = 48000",
                                "Avg Bytes Per Sec = 4294967295", "Block Align = 4",
                                "Bits Per Sample = 16", "cbSize = 22"}) +
                         kTrailer + "<22 octets de données binaires >"});
  }
  {
    ByteWriter w;
    w.U32(0xFF).U32(0xFFFFFFFF).U32(0x12AB34CD).U32(0).U32(1).U32(0x80000000).U32(0xDEADBEEF)
        .U32(0xABCD);
    cases.push_back({"DVInfo", "{05589F84-C356-11CE-BF01-00AA0055595A}", w.Result(),
                     "     Format DVInfo  " +
                         Lines({"DVAAuxSrc = 000000FF", "DVAAuxCtl = FFFFFFFF",
                                "DVAAuxSrc1 = 12AB34CD", "DVAAuxCtl1 = 00000000",
                                "DVVAuxSrc = 00000001", "DVVAuxCtl = 80000000",
                                "DVReserved0 = DEADBEEF", "DVReserved1 = 0000ABCD"}) +
                         kTrailer});
  }
  {
    ByteWriter w;
    w.I32(-1).I32(2).I32(-3).I32(4).I32(5).I32(-6).I32(7).I32(-8).U32(720).U32(0xFFFFFFFF)
        .I64(333667);
    cases.push_back({"AnalogVideo", "{0482DDE0-7817-11CF-8A03-00AA006ECB65}", w.Result(),
                     "     Format Analog Video  " +
                         Lines({"rcSource = -1,2,-3,4", "rcTarget = 5,-6,7,-8",
                                "activeWidth = 720", "activeHeight = 4294967295",
                                "AvgTimePerFrame = 333667"}) +
                         kTrailer});
  }
  cases.push_back({"NoFormat", "{00000000-0000-0000-0000-000000000000}", {},
                   "     No Format  "});
  cases.push_back({"FormatNone", "{0F6417D6-C318-11D0-A43F-00A0C9223196}", {1, 2, 3},
                   "     Format None  <3 octets de données binaires >"});
  cases.push_back({"Unknown", "{0F6417D6-C318-11D0-A43F-00A0C9223197}", ByteVector(10),
                   "     Unknown Format  <10 octets de données binaires >"});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Records, FormatGoldenTest, ::testing::ValuesIn(GoldenCases()),
                         [](const auto& info) { return info.param.name; });

// The value text of the field labelled `label`.
std::string ValueOf(const DecodedFields& fields, std::string_view label) {
  const auto field = std::ranges::find(fields, label, &DecodedField::label);
  return field == fields.end() ? "<no field " + std::string(label) + ">" : field->value;
}

struct FlagCase {
  std::size_t offset;
  std::uint32_t value;
  std::string_view label;
  std::string words;
};

// One field changed at a time; only its value is checked.
std::string Mutated(ByteVector record, std::size_t offset, std::uint32_t value,
                    RecordDecoder decoder, std::string_view label) {
  for (int i = 0; i < 4; ++i) record[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  DecodedFields fields;
  decoder(record, fields);
  return ValueOf(fields, label);
}

TEST(VideoInfo2Flags, WriteTheirWords) {
  const FlagCase cases[] = {
      {48, 0x00, "InterlaceFlags =", " FieldPatField1Only DisplayModeBobOnly"},
      {48, 0xC5, "InterlaceFlags =", " isInterlaced Field1First FieldPatField1Only"},
      {48, 0x52, "InterlaceFlags =", " 1FieldPerSample FieldPatField2Only DisplayModeWeaveOnly"},
      {48, 0xA0, "InterlaceFlags =", " FieldPatBothRegular DisplayModeBobOrWeave"},
      // Bit 0x08 and the bits above 0xFF write nothing.
      {48, 0xFFFFFF38, "InterlaceFlags =", " FieldPatBothIrregular DisplayModeBobOnly"},
      {52, 1, "CopyProtectFlags = ", " RestrictDuplication"},
      {52, 3, "CopyProtectFlags = ", ""},
      {52, 0, "CopyProtectFlags = ", ""},
      {64, 0, "ControlFlags = ", ""},
      {64, 7, "ControlFlags = ", " Used PAD to 4x3 PAD to 16x9"},
      {64, 2, "ControlFlags = ", " PAD to 4x3"},
      {64, 0xFFFFFFF8, "ControlFlags = ", ""},
  };
  for (const FlagCase& c : cases) {
    EXPECT_EQ(Mutated(VideoInfo2(), c.offset, c.value, DescribeVideoInfo2, c.label), c.words)
        << c.label << std::hex << c.value;
  }
}

ByteVector Mpeg2VideoInfo() {
  ByteWriter w;
  w.Bytes(VideoInfo2()).Fill(24);
  return w.Result();
}

TEST(Mpeg2VideoInfoFields, WriteProfileLevelAndFlagWords) {
  const FlagCase cases[] = {
      {120, 0, "MPEG2 Profile = ", ""},
      {120, 1, "MPEG2 Profile = ", "Simple"},
      {120, 3, "MPEG2 Profile = ", "SNR Scalable"},
      {120, 4, "MPEG2 Profile = ", "Spatially Scalable"},
      {120, 5, "MPEG2 Profile = ", "High"},
      {120, 6, "MPEG2 Profile = ", ""},
      {124, 0, "MPEG2 Level = ", ""},
      {124, 1, "MPEG2 Level = ", "Low"},
      {124, 2, "MPEG2 Level = ", "Main"},
      {124, 4, "MPEG2 Level = ", "High"},
      {124, 5, "MPEG2 Level = ", ""},
      {128, 0, "Flags =", ""},
      {128, 0x3FF, "Flags =",
       " DoPanScan DVDLine21Field1 DVDLine21Field2 SourceIsLetterboxed FilmCameraMode"
       " LetterboxAnalogOut DSS_UserData DVB_UserData 27MhzTimebase WidescreenAnalogOut "},
      {128, 0xFFFFFC00, "Flags =", ""},
  };
  for (const FlagCase& c : cases) {
    EXPECT_EQ(Mutated(Mpeg2VideoInfo(), c.offset, c.value, DescribeMpeg2VideoInfo, c.label),
              c.words)
        << c.label << c.value;
  }
}

}  // namespace
}  // namespace mivalto
