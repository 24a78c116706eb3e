// The check's rules, one row each: a clean graph given exactly one fault, walked as a file,
// must give exactly that finding (rule, severity, entry, field) at the byte where the test
// laid the field out; the clean graphs give none.
#include <gtest/gtest.h>

#include <functional>

#include "analysis/analysis_driver.h"
#include "analysis/fixed_calendar.h"
#include "platform/file_system.h"
#include "support/byte_writer.h"
#include "support/file_layout.h"
#include "support/graph_text.h"
#include "support/guid_texts.h"

namespace mivalto {
namespace {

using testing::ByteVector;
using testing::ByteWriter;
namespace guids = testing::guids;

constexpr std::string_view kSubtypeRgb32 = "{E436EB7E-524F-11CE-9F53-0020AF0BA770}";
constexpr std::string_view kSubtypeRgb8 = "{E436EB7A-524F-11CE-9F53-0020AF0BA770}";
constexpr std::size_t kTextSector = 3;  // the text's first byte is the file's 1536th

struct Bitmap {
  std::int32_t width = 640, height = 480;
  std::uint16_t planes = 1, bits = 24;
  std::string compression = {};  // a FourCC; empty for BI_RGB
  std::uint32_t compression_value = 0;
  std::uint32_t size_image = 640 * 480 * 3;
  std::uint32_t size = 40;
};

// VIDEOINFOHEADER: rcSource, rcTarget, bit rates, AvgTimePerFrame, then the bitmap header.
ByteVector VideoInfo(const Bitmap& b, std::int64_t frame_time = 400000,
                     std::array<std::int32_t, 4> source = {}) {
  ByteWriter w;
  for (const std::int32_t side : source) w.I32(side);
  w.Fill(16).U32(0).U32(0).I64(frame_time);
  w.U32(b.size).I32(b.width).I32(b.height).U16(b.planes).U16(b.bits);
  if (b.compression.empty()) {
    w.U32(b.compression_value);
  } else {
    w.FourCC(b.compression);
  }
  w.U32(b.size_image).Fill(16);
  return w.Result();
}

ByteVector Mpeg2VideoInfo(std::uint32_t flags) {
  ByteWriter w;
  w.Fill(32).U32(0).U32(0).I64(400000).Fill(24);                      // up to the bitmap
  w.U32(40).I32(720).I32(576).U16(1).U16(0).U32(0).U32(0).Fill(16);  // BITMAPINFOHEADER
  w.U32(0).U32(0).U32(2).U32(2).U32(flags).U32(0);  // start, cbSequenceHeader, profile, level
  return w.Result();
}

struct Wave {
  std::uint16_t tag = 1, channels = 2;
  std::uint32_t rate = 44100, avg = 176400;
  std::uint16_t align = 4, bits = 16, cb_size = 0;
};

ByteVector WaveFormat(const Wave& a) {
  ByteWriter w;
  w.U16(a.tag).U16(a.channels).U32(a.rate).U32(a.avg).U16(a.align).U16(a.bits).U16(a.cb_size);
  return w.Result();
}

// WAVEFORMATEXTENSIBLE, PCM, two channels of 16 bits, `valid` of them valid.
ByteVector Extensible(std::uint16_t valid) {
  ByteWriter w;
  w.Bytes(WaveFormat({.tag = 0xFFFE, .cb_size = 22})).U16(valid).U32(3).Guid(guids::kSubtypePcm);
  return w.Result();
}

testing::MediaTypeEntry Video(std::string_view subtype, ByteVector block) {
  return {.major_type = std::string(guids::kMajorVideo), .subtype = std::string(subtype),
          .fixed_size_samples = "0", .format_type = std::string(guids::kFormatVideoInfo),
          .format = std::move(block)};
}

testing::MediaTypeEntry Audio(std::string_view subtype, ByteVector block) {
  return {.major_type = std::string(guids::kMajorAudio), .subtype = std::string(subtype),
          .fixed_size_samples = "0", .format_type = std::string(guids::kFormatWaveFormatEx),
          .format = std::move(block)};
}

testing::MediaTypeEntry Rgb24(const Bitmap& b = {}) { return Video(guids::kSubtypeRgb24, VideoInfo(b)); }

struct Link {
  std::string from = "0001", from_pin = "Out", to = "0002", to_pin = "In";
  testing::MediaTypeEntry media = Rgb24();
};

struct GraphPlan {
  int filters = 2;
  std::vector<Link> links = {Link{}};
  std::string clock = "0001";
};

// Where the walk should place a finding, as the test laid the graph out.
enum class Anchor { kFilter, kConnection, kBlock, kClock, kEnd };
struct Expected {
  std::string_view rule;
  Severity severity;
  PlaceKind place;
  int number;
  std::string_view field;
  Anchor anchor;
  int index = 0;          // the filter or connection, from 1
  std::int64_t delta = 0;  // from the anchor
};

struct Layout {
  ByteVector file;
  std::vector<std::size_t> filters, connections, blocks;
  std::size_t clock = 0;
};

std::string Clsid(int n) { return "{0000000" + std::to_string(n) + "-1111-2222-3333-444455556666}"; }

Layout Lay(const GraphPlan& plan) {
  testing::GraphText text;
  Layout layout;
  text.Line("0003").Line("FILTERS");
  for (int i = 1; i <= plan.filters; ++i) {
    layout.filters.push_back(text.Size());
    text.Filter({.number = "000" + std::to_string(i), .name = "Filtre " + std::to_string(i),
                 .clsid = Clsid(i)});
  }
  text.Line("CONNECTIONS");
  for (const Link& link : plan.links) {
    layout.connections.push_back(text.Size());
    text.Connection({.from = link.from, .from_pin = link.from_pin, .to = link.to,
                     .to_pin = link.to_pin, .media = link.media});
    layout.blocks.push_back(text.Size() - 4 - link.media.format.size());  // before CR LF
  }
  layout.clock = text.Size();
  text.Clock(plan.clock).End();
  layout.file = testing::PlaceAtSector(text.Bytes(), kTextSector);
  return layout;
}

// kEnd: the end of the file as walked, which may be cut.
std::size_t AnchorOffset(const Layout& layout, const Expected& e, std::size_t file_size) {
  const auto at = [&](const std::vector<std::size_t>& list) { return list.at(e.index - 1); };
  switch (e.anchor) {
    case Anchor::kFilter: return at(layout.filters);
    case Anchor::kConnection: return at(layout.connections);
    case Anchor::kBlock: return at(layout.blocks);
    case Anchor::kClock: return layout.clock;
    case Anchor::kEnd: break;
  }
  return file_size - kTextSector * 512;
}

AnalysisResult Check(const ByteVector& file, const FilterCatalogue& catalogue = {}) {
  MemorySource source(file);
  ReportView view;
  return AnalyseSource(source, "/g.grf", {2025, 1, 2, 3, 4, 5}, catalogue,
                       testing::FixedCalendar(), view);
}

struct RuleRow {
  const char* name;
  GraphPlan plan;
  Expected expected;
  std::size_t cut = 0;  // bytes cut off the end of the file
  bool catalogue = false;  // with a catalogue that knows filter 0001 alone
};

ByteVector Cut(ByteVector bytes, std::size_t from, std::size_t count) {
  bytes.resize(std::min(bytes.size(), from + count));
  return bytes;
}

GraphPlan OneLink(testing::MediaTypeEntry media) { return {2, {Link{.media = std::move(media)}}}; }

testing::MediaTypeEntry Fixed(testing::MediaTypeEntry media, std::uint32_t sample_size) {
  media.fixed_size_samples = "1";
  media.sample_size = testing::TenDigits(sample_size);
  return media;
}

testing::MediaTypeEntry AsMajor(testing::MediaTypeEntry media, std::string_view major) {
  media.major_type = std::string(major);
  return media;
}

testing::MediaTypeEntry Mpeg2(std::uint32_t flags) {
  return {.major_type = std::string(guids::kMajorVideo),
          .subtype = std::string(guids::kSubtypeMpeg2Video), .fixed_size_samples = "0",
          .format_type = std::string(guids::kFormatMpeg2Video), .format = Mpeg2VideoInfo(flags)};
}

using enum Severity;
using enum Anchor;
constexpr PlaceKind kConn = PlaceKind::kConnection;

const RuleRow kRows[] = {
    {"TooShort", OneLink(Video(guids::kSubtypeRgb24, Cut(VideoInfo({}), 0, 87))),
     {"format.too-short", kError, kConn, 1, "cbFormat", kBlock, 1, -22}},
    {"TypeMismatch", OneLink(AsMajor(Rgb24(), guids::kMajorAudio)),
     {"format.type-mismatch", kError, kConn, 1, "formattype", kBlock, 1, -100}},
    {"BiSize", OneLink(Rgb24({.size = 39})),
     {"video.bisize", kError, kConn, 1, "biSize", kBlock, 1, 48}},
    {"Dimensions", OneLink(Rgb24({.width = 0})),
     {"video.dimensions", kError, kConn, 1, "biWidth", kBlock, 1, 52}},
    {"OverOneGigabyte", OneLink(Rgb24({.width = 32768, .height = -32768, .size_image = 0})),
     {"video.dimensions", kError, kConn, 1, "biWidth", kBlock, 1, 52}},
    {"Planes", OneLink(Rgb24({.planes = 0})),
     {"video.planes", kError, kConn, 1, "biPlanes", kBlock, 1, 60}},
    {"SizeImage", OneLink(Rgb24({.size_image = 640 * 480 * 3 - 1})),
     {"video.size-image", kError, kConn, 1, "biSizeImage", kBlock, 1, 68}},
    {"SubtypeCompression", OneLink(Rgb24({.bits = 32})),
     {"video.subtype-compression", kError, kConn, 1, "biBitCount", kBlock, 1, 62}},
    {"Bitfields", OneLink(Video(kSubtypeRgb32, VideoInfo({.bits = 32, .compression_value = 3,
                                                          .size_image = 640 * 480 * 4}))),
     {"video.bitfields", kError, kConn, 1, "biCompression", kBlock, 1, 64}},
    {"Palette", OneLink(Video(kSubtypeRgb8, VideoInfo({.bits = 8, .size_image = 640 * 480}))),
     {"video.palette", kError, kConn, 1, "biClrUsed", kBlock, 1, 80}},
    {"HeightSign", OneLink(Video(guids::kSubtypeYuy2, VideoInfo({.height = -480, .bits = 16,
                                                                .compression = "YUY2",
                                                                .size_image = 640 * 480 * 2}))),
     {"video.height-sign", kWarning, kConn, 1, "biHeight", kBlock, 1, 56}},
    {"Rectangles", OneLink(Video(guids::kSubtypeRgb24, VideoInfo({}, 400000, {0, 0, 641, 480}))),
     {"video.rectangles", kError, kConn, 1, "rcSource", kBlock, 1, 0}},
    {"FrameTime", OneLink(Video(guids::kSubtypeRgb24, VideoInfo({}, -1))),
     {"video.frame-time", kError, kConn, 1, "AvgTimePerFrame", kBlock, 1, 40}},
    {"VideoSampleSize", OneLink(Fixed(Rgb24(), 640 * 480 * 3 + 1)),
     {"video.sample-size", kWarning, kConn, 1, "lSampleSize", kBlock, 1, -122}},
    {"MpegFlags", OneLink(Mpeg2(0x400)),
     {"mpeg.flags", kError, kConn, 1, "Flags", kBlock, 1, 128}},
    {"PcmBlock", OneLink(Audio(guids::kSubtypePcm, WaveFormat({.avg = 132300, .align = 3}))),
     {"audio.pcm-block", kError, kConn, 1, "Block Align", kBlock, 1, 12}},
    {"Extensible", OneLink(Audio(guids::kSubtypePcm, Extensible(17))),
     {"audio.extensible", kError, kConn, 1, "wValidBitsPerSample", kBlock, 1, 18}},
    {"SubtypeTag", OneLink(Audio(guids::kSubtypeMp3, WaveFormat({.tag = 0}))),
     {"audio.subtype-tag", kWarning, kConn, 1, "FormatTag", kBlock, 1, 0}},
    {"AudioSampleSize", OneLink(Fixed(Audio(guids::kSubtypePcm, WaveFormat({})), 5)),
     {"audio.sample-size", kNote, kConn, 1, "lSampleSize", kBlock, 1, -122}},
    {"PinTwice", {3, {Link{}, Link{.to = "0003"}}},
     {"graph.pin-twice", kError, kConn, 2, "", kConnection, 2}},
    {"Self", {2, {Link{}, Link{.from = "0002", .to = "0002", .to_pin = "In 2"}}},
     {"graph.self", kError, kConn, 2, "", kConnection, 2}},
    {"Cycle", {2, {Link{}, Link{.from = "0002", .to = "0001", .to_pin = "In"}}},
     {"graph.cycle", kError, kConn, 2, "", kConnection, 2}},
    {"ClockMissing", {2, {Link{}}, "0003"},
     {"graph.clock-missing", kError, PlaceKind::kClock, 0, "", kClock}},
    {"Unconnected", {3, {Link{}}},
     {"graph.unconnected", kNote, PlaceKind::kFilter, 3, "", kFilter, 3}},
    {"Unregistered", {},
     {"machine.unregistered", kError, PlaceKind::kFilter, 2, "", kFilter, 2}, 0, true},
    {"Incomplete", {}, {"graph.incomplete", kError, PlaceKind::kFile, 0, "", kEnd}, 30},
};

class CheckRuleTest : public ::testing::TestWithParam<RuleRow> {};

TEST_P(CheckRuleTest, FindsTheOneFaultWhereItLies) {
  const RuleRow& row = GetParam();
  const Layout layout = Lay(row.plan);
  const ByteVector file = Cut(layout.file, 0, layout.file.size() - row.cut);
  FilterCatalogue catalogue;
  catalogue.Known = row.catalogue;
  if (row.catalogue) {
    TfilterItem known;
    known.CLSID = ParseGuidOrFail(Clsid(1));
    catalogue.KnownFilters.push_back(known);
  }
  const AnalysisResult result = Check(file, catalogue);
  const Expected& e = row.expected;
  ASSERT_EQ(result.findings.size(), 1u) << (result.findings.empty() ? "" : result.findings[0].rule);
  const Finding& f = result.findings[0];
  EXPECT_EQ(f.rule, e.rule);
  EXPECT_EQ(f.severity, e.severity);
  EXPECT_EQ(f.place, e.place);
  EXPECT_EQ(f.number, e.number);
  EXPECT_EQ(f.field, e.field);
  const std::uint64_t text_offset = AnchorOffset(layout, e, file.size()) + e.delta;
  EXPECT_EQ(f.text_offset, text_offset) << f.sentence;
  EXPECT_EQ(f.file_offset, text_offset + kTextSector * 512);
  EXPECT_FALSE(f.sentence.empty());
}

INSTANTIATE_TEST_SUITE_P(Rules, CheckRuleTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The clean graphs the rows start from, one per kind of media type, and the same graph read
// back from its JSON report: no finding (the rows would otherwise find more than their fault).
TEST(CheckRules, CleanGraphsGiveNoFinding) {
  const testing::MediaTypeEntry kinds[] = {
      Rgb24(), Fixed(Rgb24(), 640 * 480 * 3), Mpeg2(0x3FF), Audio(guids::kSubtypePcm, WaveFormat({})),
      Fixed(Audio(guids::kSubtypePcm, Extensible(16)), 4),
      Video(kSubtypeRgb32, VideoInfo({.width = 16384, .height = 16384, .bits = 32,
                                      .size_image = 0})),  // 1 GB exactly
      Video(guids::kSubtypeYuy2, VideoInfo({.height = 480, .bits = 16, .compression = "YUY2",
                                            .size_image = 640 * 480 * 2}))};
  for (const testing::MediaTypeEntry& media : kinds) {
    const AnalysisResult result = Check(Lay(OneLink(media)).file);
    EXPECT_TRUE(result.complete);
    for (const Finding& f : result.findings) ADD_FAILURE() << f.rule << ": " << f.sentence;
  }
}

// Stored paths mean something on Windows alone: there, a source that is not on the machine
// and a sink whose folder is not; a sink whose folder is there is not a fault.
TEST(CheckRules, MissingFilesOnThisMachine) {
  const std::string missing = "C:\\mivalto-absent\\clip.avi";
  if (!StoredPathExists(missing)) GTEST_SKIP() << "stored paths are looked up on Windows only";
  testing::GraphText text;
  text.Line("0003").Line("FILTERS");
  text.Filter({.number = "0001", .name = "Source", .clsid = Clsid(1),
               .clause = testing::FilterClause{"SOURCE", missing}});
  text.Filter({.number = "0002", .name = "Sink", .clsid = Clsid(2),
               .clause = testing::FilterClause{"SINK", "C:\\mivalto-absent\\out.avi"}});
  text.Filter({.number = "0003", .name = "Sink", .clsid = Clsid(2),
               .clause = testing::FilterClause{"SINK", "C:\\windows\\out.avi"}});
  text.Line("CONNECTIONS").Clock("0000").End();
  const AnalysisResult result = Check(testing::PlaceAtSector(text.Bytes(), kTextSector));
  ASSERT_EQ(result.findings.size(), 2u);
  for (const int position : {1, 2}) {
    EXPECT_EQ(result.findings[position - 1].rule, "machine.file-missing");
    EXPECT_EQ(result.findings[position - 1].number, position);
  }
}

}  // namespace
}  // namespace mivalto
