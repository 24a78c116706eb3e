// The graph model the walk fills beside the report, checked against what the walk derives
// from the facts the test wrote into the file: kinds, names, descriptions, wrapped facts,
// decoded fields with their numbers, the clock. The stored facts themselves (numbers, texts,
// flags, counts, bytes) are checked by the round trip, which writes them back byte for byte.
// Names carry the characters the writers must escape.
#include <gtest/gtest.h>

#include "analysis/analysis_driver.h"
#include "analysis/fixed_calendar.h"
#include "report/graph_file/compound_file.h"
#include "support/filter_data.h"
#include "support/file_layout.h"
#include "support/graph_text.h"
#include "support/guid_texts.h"
#include "support/kept_lines.h"

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

AnalysisResult AnalyseBytes(const ByteVector& file, ReportView& view,
                            GraphModelUse model = GraphModelUse::kKeep) {
  MemorySource source(file);
  FilterCatalogue catalogue;
  catalogue.KnownFilters.push_back({kDeviceName, kClsidProxy, "", "",
                                    R"(@device:pnp:\\?\usb#vid_1#8&ff&0&1#{65e8773d}\global)"});
  return AnalyseSource(source, "/g.grf", {}, catalogue, testing::FixedCalendar(), view, model);
}

AnalysisResult AnalyseBytes(const ByteVector& file) {
  ReportView view;
  return AnalyseBytes(file, view);
}

TEST(GraphModel, HoldsTheFactsOfTheFile) {
  const AnalysisResult result = AnalyseBytes(CompoundFile(Graph().Bytes()));
  ASSERT_TRUE(result.complete) << result.stop_reason;
  const GraphModel& graph = result.graph;
  EXPECT_EQ(graph.version, "0003");

  ASSERT_EQ(graph.filters.size(), 3u);
  const FilterModel& source = graph.filters[0];
  EXPECT_EQ(source.position, 1);
  EXPECT_EQ(source.kind, FilterKind::kDirectShow);
  EXPECT_EQ(source.registered_name, std::nullopt);
  EXPECT_EQ(source.description, "<3 octets de données binaires >");
  EXPECT_EQ(source.wraps, WrappedFacts{});

  const FilterModel& camera = graph.filters[1];
  EXPECT_EQ(camera.position, 2);
  EXPECT_EQ(camera.kind, FilterKind::kPnp);
  EXPECT_EQ(camera.registered_name, kDeviceName);
  EXPECT_EQ(camera.wraps.device, kDevicePath);

  const FilterModel& renderer = graph.filters[2];
  EXPECT_EQ(renderer.registered_name, "Video Mixing Renderer (DX8)");
  EXPECT_EQ(renderer.description, std::nullopt);

  ASSERT_EQ(graph.connections.size(), 2u);
  const ConnectionModel& video = graph.connections[0];
  EXPECT_EQ(video.from->position, 2);
  EXPECT_EQ(video.to->position, 3);
  ASSERT_TRUE(video.media_type && video.media_type->format);
  const MediaTypeModel& video_type = *video.media_type;
  EXPECT_EQ(video_type.major_type, (NamedGuid{*ParseGuid(kMajorVideo), "Mediatype Video"}));
  EXPECT_EQ(video_type.subtype,
            (NamedGuid{*ParseGuid(kSubtypeYuy2), "MediaSubType Video Compression YUY2"}));
  const FormatModel& video_format = *video_type.format;
  EXPECT_EQ(video_format.type, (NamedGuid{*ParseGuid(kFormatVideoInfo), "Format VideoInfoHeader"}));
  ASSERT_EQ(video_format.fields.size(), 16u);
  EXPECT_EQ(video_format.fields[0], (FormatField{"rcSource = ", "0,0,640,480"}));
  EXPECT_EQ(video_format.fields[4], (FormatField{"AvgTimePerFrame = ", "333333", 333333}));
  EXPECT_EQ(video_format.fields[6], (FormatField{"biWidth = ", "640", 640, FieldRole::kWidth}));
  EXPECT_EQ(video_format.fields[10], (FormatField{"biCompression = ", "YUY2"}));

  const MediaTypeModel& audio_type = *graph.connections[1].media_type;
  // Names as the report gives them: an unknown subtype by its text as read.
  EXPECT_EQ(audio_type.subtype, (NamedGuid{*ParseGuid(kUnknownSubtype), std::string(kUnknownSubtype)}));
  // The stored value, whatever its sign in the report.
  EXPECT_EQ(audio_type.sample_size, 4294967295u);
  EXPECT_EQ(audio_type.format->type, (NamedGuid{*ParseGuid(kUnknownFormat), "Unknown Format"}));
  EXPECT_TRUE(audio_type.format->fields.empty());

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
  EXPECT_EQ(cut_short.to, (PinEnd{2, "In", "0002"}));
  ASSERT_TRUE(cut_short.media_type);
  EXPECT_TRUE(cut_short.media_type->subtype);
  EXPECT_EQ(cut_short.media_type->sample_size, 4294967295u);
  EXPECT_EQ(cut_short.media_type->format, std::nullopt);
  EXPECT_EQ(graph.clock, std::nullopt);
}

// A caller that does not keep the model gets the same report and an empty model.
TEST(GraphModel, SkippedByCallersThatWriteOnlyLines) {
  const ByteVector file = CompoundFile(Graph().Bytes());
  ReportView kept, skipped;
  EXPECT_NE(AnalyseBytes(file, kept).graph, GraphModel{});
  const AnalysisResult result = AnalyseBytes(file, skipped, GraphModelUse::kSkip);
  EXPECT_TRUE(result.complete);
  EXPECT_EQ(result.graph, GraphModel{});
  EXPECT_EQ(testing::KeepLines(skipped.Lines()), testing::KeepLines(kept.Lines()));
}

}  // namespace
}  // namespace mivalto
