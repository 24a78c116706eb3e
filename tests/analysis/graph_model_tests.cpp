// The graph model the walk fills beside the report, checked against the facts the test wrote
// into the file: filters in file order with their numbers, names, CLSIDs, kinds and data
// bytes; connections by position with pin names, media type GUIDs, flags, sample size and
// format block; the clock. Names carry the characters the writers must escape.
#include <gtest/gtest.h>

#include "analysis/analysis_driver.h"
#include "analysis/fixed_calendar.h"
#include "support/compound_file.h"
#include "support/filter_data.h"
#include "support/file_layout.h"
#include "support/graph_text.h"
#include "support/guid_texts.h"

namespace mivalto {
namespace {

using testing::ByteVector;
using testing::ByteWriter;
using namespace testing::guids;

const std::string kDeviceName = "Caméra <USB>";
constexpr std::string_view kDevicePath = R"(@device:pnp:\\?\usb#vid_1#7&2b&0&2#{65e8773d}\global)";
constexpr std::string_view kUnknownSubtype = "{a1b2c3d4-0000-1111-2222-333344445555}";
constexpr std::string_view kUnknownFormat = "{12345678-9ABC-DEF0-1234-56789ABCDEF0}";

ByteVector WaveFormatEx() {
  return ByteWriter().U16(1).U16(2).U32(48000).U32(192000).U16(4).U16(16).U16(0).Result();
}

ByteVector VideoInfo() {
  ByteWriter w;
  w.I32(0).I32(0).I32(640).I32(480).I32(0).I32(0).I32(640).I32(480).U32(0).U32(0).I64(333333);
  w.U32(40).I32(640).I32(480).U16(1).U16(16).FourCC("YUY2").U32(614400).I32(0).I32(0).U32(0).U32(0);
  return w.Bytes(ByteVector{9, 8, 7}).Result();
}

testing::GraphText Graph() {
  // A name between quotes can hold anything but a quote.
  const std::string name = "a'b {c}<d> \\\\e\r\nf\x01g\x7Fh";
  testing::GraphText text;
  text.Line("0003").Line("FILTERS");
  const testing::FilterEntry filters[] = {
      {"0010", name, std::string(kAsyncFileSource), testing::FilterClause{"SOURCE", "C:\\v\\a.avi"},
       ByteVector{1, 2, 3}},
      {"0020", "Caméra", std::string(kDeviceProxy), {}, testing::DeviceData(kDevicePath)},
      {"0030", "Rendu", std::string(kVideoMixingRenderer), {}, {}},
  };
  for (const auto& filter : filters) text.Filter(filter);
  text.Line("CONNECTIONS");
  const testing::ConnectionEntry connections[] = {
      {"0002", "Capture <0>", "0003", "VMR Input0", {},
       {.major_type = std::string(kMajorVideo), .subtype = std::string(kSubtypeYuy2),
        .fixed_size_samples = "1", .temporal_compression = "0",
        .sample_size = testing::TenDigits(614400), .format_type = std::string(kFormatVideoInfo),
        .format = VideoInfo()}},
      {"0001", "Out", "0002", "In", {},
       {.major_type = std::string(kMajorAudio), .subtype = std::string(kUnknownSubtype),
        .fixed_size_samples = "0", .temporal_compression = "1",
        .sample_size = testing::TenDigits(4294967295), .format_type = std::string(kUnknownFormat),
        .format = WaveFormatEx()}},
  };
  for (const auto& connection : connections) text.Connection(connection);
  text.Clock("0030", "1").End();
  return text;
}

AnalysisResult AnalyseBytes(const ByteVector& file) {
  MemorySource source(file);
  ReportView view;
  FilterCatalogue catalogue;
  catalogue.KnownFilters.push_back({kDeviceName, kClsidProxy, "", "",
                                    R"(@device:pnp:\\?\usb#vid_1#8&ff&0&1#{65e8773d}\global)"});
  return AnalyseSource(source, "/g.grf", {}, catalogue, testing::FixedCalendar(), view);
}

TEST(GraphModel, HoldsTheFactsOfTheFile) {
  const AnalysisResult result = AnalyseBytes(testing::MakeGraphFile(Graph().Bytes()));
  ASSERT_TRUE(result.complete) << result.stop_reason;
  const GraphModel& graph = result.graph;
  EXPECT_EQ(graph.version, "0003");

  ASSERT_EQ(graph.filters.size(), 3u);
  const FilterModel& source = graph.filters[0];
  EXPECT_EQ(source.position, 1);
  EXPECT_EQ(source.id, "0010");
  EXPECT_EQ(source.name, "a'b {c}<d> \\\\e\r\nf\x01g\x7Fh");
  EXPECT_EQ(source.clsid, ParseGuid(kAsyncFileSource));
  EXPECT_EQ(source.kind, FilterKind::kDirectShow);
  EXPECT_EQ(source.registered_name, std::nullopt);
  EXPECT_EQ(source.description, "<3 octets de données binaires >");
  EXPECT_EQ(source.file, (FileClause{"SOURCE", "C:\\v\\a.avi"}));
  EXPECT_EQ(source.data_size, 3u);
  EXPECT_EQ(source.data, (ByteVector{1, 2, 3}));

  const FilterModel& camera = graph.filters[1];
  EXPECT_EQ(camera.position, 2);
  EXPECT_EQ(camera.name, "Caméra");
  EXPECT_EQ(camera.kind, FilterKind::kPnp);
  EXPECT_EQ(camera.registered_name, kDeviceName);
  EXPECT_EQ(camera.data, testing::DeviceData(kDevicePath));

  const FilterModel& renderer = graph.filters[2];
  EXPECT_EQ(renderer.id, "0030");
  EXPECT_EQ(renderer.registered_name, "Video Mixing Renderer (DX8)");
  EXPECT_EQ(renderer.description, std::nullopt);
  EXPECT_EQ(renderer.data_size, 0u);

  ASSERT_EQ(graph.connections.size(), 2u);
  const ConnectionModel& video = graph.connections[0];
  EXPECT_EQ(video.from, (PinEnd{2, "Capture <0>"}));
  EXPECT_EQ(video.to, (PinEnd{3, "VMR Input0"}));
  ASSERT_TRUE(video.media_type && video.media_type->format);
  const MediaTypeModel& video_type = *video.media_type;
  EXPECT_EQ(video_type.major_type, (NamedGuid{*ParseGuid(kMajorVideo), "Mediatype Video"}));
  EXPECT_EQ(video_type.subtype,
            (NamedGuid{*ParseGuid(kSubtypeYuy2), "MediaSubType Video Compression YUY2"}));
  EXPECT_EQ(video_type.fixed_size_samples, true);
  EXPECT_EQ(video_type.temporal_compression, false);
  EXPECT_EQ(video_type.sample_size, 614400u);
  const FormatModel& video_format = *video_type.format;
  EXPECT_EQ(video_format.type, (NamedGuid{*ParseGuid(kFormatVideoInfo), "Format VideoInfoHeader"}));
  EXPECT_EQ(video_format.size, 91);
  EXPECT_EQ(video_format.bytes, VideoInfo());
  ASSERT_EQ(video_format.fields.size(), 16u);
  EXPECT_EQ(video_format.fields[0], (FormatField{"rcSource", "0,0,640,480"}));
  EXPECT_EQ(video_format.fields[4], (FormatField{"AvgTimePerFrame", "333333"}));
  EXPECT_EQ(video_format.fields[10], (FormatField{"biCompression", "YUY2"}));

  const MediaTypeModel& audio_type = *graph.connections[1].media_type;
  EXPECT_EQ(graph.connections[1].from, (PinEnd{1, "Out"}));
  // Names as the report gives them: an unknown subtype by its text as read.
  EXPECT_EQ(audio_type.subtype, (NamedGuid{*ParseGuid(kUnknownSubtype), std::string(kUnknownSubtype)}));
  EXPECT_EQ(audio_type.fixed_size_samples, false);
  EXPECT_EQ(audio_type.temporal_compression, true);
  EXPECT_EQ(audio_type.sample_size, 4294967295u);
  EXPECT_EQ(audio_type.format, (FormatModel{{*ParseGuid(kUnknownFormat), "Unknown Format"}, 18, WaveFormatEx(), {}}));

  EXPECT_EQ(graph.clock, (ClockModel{true, "0030", ClockKind::kFilter, 3}));
}

// Cut inside the second connection's format block: what was read stays, the rest is absent.
TEST(GraphModel, WalkCutShortKeepsWhatItRead) {
  const ByteVector text = Graph().Bytes();
  const std::size_t cut = text.size() - 40;  // the clock line, END and a few format bytes
  const AnalysisResult result = AnalyseBytes(testing::PlaceAtSector(testing::Truncate(text, cut), 1,
                                                                    testing::SectorFill::kZeros, 0));
  ASSERT_FALSE(result.complete);
  const GraphModel& graph = result.graph;
  EXPECT_EQ(graph.filters.size(), 3u);
  ASSERT_EQ(graph.connections.size(), 2u);
  const ConnectionModel& cut_short = graph.connections[1];
  EXPECT_EQ(cut_short.to, (PinEnd{2, "In"}));
  ASSERT_TRUE(cut_short.media_type);
  EXPECT_TRUE(cut_short.media_type->subtype);
  EXPECT_EQ(cut_short.media_type->sample_size, 4294967295u);
  EXPECT_EQ(cut_short.media_type->format, std::nullopt);
  EXPECT_EQ(graph.clock, std::nullopt);
}

}  // namespace
}  // namespace mivalto
