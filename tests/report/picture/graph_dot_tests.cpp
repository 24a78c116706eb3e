// The DOT picture: its exact text for a small graph and for several, the media type labels.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "analysis/media_type_label.h"
#include "../graph_samples.h"

namespace mivalto {
namespace {

using namespace testing::graph_samples;

TEST(GraphDot, SmallGraph) {
  GraphModel graph;
  graph.filters = {Filter(1, "Source"), Filter(2, "Décodeur", FilterKind::kDmo, "cat= Video"),
                   Filter(3, "Rendu", FilterKind::kDirectShow, "<40 octets de données binaires >")};
  graph.filters[2].registered_name = "Video Mixing Renderer (DX8)";
  graph.connections = {Connection(1, "Out", 2, "In"), Connection(2, "Sortie", 3, "VMR Input0")};
  graph.connections[1].media_type =
      Media("RGB32", {Figure("biWidth", 1920, FieldRole::kWidth), Figure("biHeight", -1088, FieldRole::kHeight),
                  {"biBitCount", "32"}});
  // A connection cut short by the end of the walk draws no edge.
  graph.connections.push_back({PinEnd{3, "x"}, std::nullopt, std::nullopt});
  EXPECT_EQ(Dot(graph, "a\"b.grf (analyse arrêtée avant la fin)"),
            "digraph mivalto {\n"
            "  graph [rankdir=TB, labelloc=t, fontname=\"Helvetica\", fontsize=12];\n"
            "  node [shape=box, style=rounded, fontname=\"Helvetica\", fontsize=11];\n"
            "  edge [fontname=\"Helvetica\", fontsize=9];\n"
            "  label=\"a&quot;b.grf (analyse arrêtée avant la fin)\";\n"
            "  f1 [label=\"0001  Source\", color=\"#000000\", fontcolor=\"#000000\"];\n"
            "  f2 [label=\"0002  Décodeur\\ncat= Video\", color=\"#008000\", fontcolor=\"#008000\"];\n"
            "  f3 [label=\"0003  Rendu\\nVideo Mixing Renderer (DX8)\", color=\"#000000\", "
            "fontcolor=\"#000000\"];\n"
            "  f1 -> f2 [label=\"Out → In\"];\n"
            "  f2 -> f3 [label=\"Sortie → VMR Input0\\nRGB32\\n1920 × 1088\"];\n"
            "}\n");
}

TEST(GraphDot, SeveralGraphsAreClustersOfTheirOwn) {
  GraphModel one, two;
  one.filters = {Filter(1, "A", FilterKind::kPnp, "Caméra")};
  two.filters = {Filter(1, "B", FilterKind::kAvi, "MJPG"), Filter(2, "C", FilterKind::kAcm)};
  two.connections = {Connection(1, "o", 2, "i")};
  const TitledGraph graphs[] = {{&one, "un.grf"}, {&two, "deux.grf"}};
  std::ostringstream out;
  WriteGraphsDot(graphs, out);
  const std::string dot = out.str();
  EXPECT_NE(dot.find("  subgraph cluster_1 {\n  label=\"un.grf\";\n"
                     "  g1_f1 [label=\"0001  A\\nCaméra\", color=\"#800080\", fontcolor=\"#800080\"];\n"
                     "  }\n"),
            std::string::npos)
      << dot;
  EXPECT_NE(dot.find("  g2_f1 [label=\"0001  B\\nMJPG\", color=\"#0000FF\""), std::string::npos)
      << dot;
  EXPECT_NE(dot.find("  g2_f2 [label=\"0002  C\", color=\"#0000FF\""), std::string::npos) << dot;
  EXPECT_NE(dot.find("  g2_f1 -> g2_f2 [label=\"o → i\"];\n  }\n}\n"), std::string::npos) << dot;
}

// A device shows the display name its data block stores, not the proxy's CLSID; under the
// device's own name when the catalogue knows it.
TEST(GraphDot, DeviceShowsItsDisplayName) {
  GraphModel graph;
  graph.filters = {Filter(1, "Caméra", FilterKind::kPnp, "Proxy {17CCA71B-ECD7-11D0-B908-…}"),
                   Filter(2, "Capture", FilterKind::kPnp, "USB Video usb#vid_0c0d")};
  graph.filters[0].wraps.device = "usb#vid_f00d";
  graph.filters[1].wraps.device = "usb#vid_0c0d";
  graph.filters[1].registered_name = "USB Video";
  const std::string dot = Dot(graph);
  EXPECT_NE(dot.find("f1 [label=\"0001  Caméra\\nusb#vid_f00d\""), std::string::npos) << dot;
  EXPECT_NE(dot.find("f2 [label=\"0002  Capture\\nUSB Video\\nusb#vid_0c0d\""), std::string::npos);
}

// A name or a pin of any length shows its first characters and "…", never part of one.
TEST(GraphDot, LongTextsAreCutToAReadableLength) {
  std::string name;
  for (int i = 0; i < 20'000'000; ++i) name += "é";
  GraphModel graph;
  graph.filters = {Filter(1, name), Filter(2, name.substr(0, 2 * 48))};
  graph.connections = {Connection(1, name, 2, "In"), Connection(2, "Out", 1, "In")};
  // A long subtype's name is cut on its own line; the figures are whole on theirs.
  graph.connections[1].media_type = Media(name.c_str(), {Figure("n", 2, FieldRole::kChannels)});
  const std::string dot = Dot(graph), cut = name.substr(0, 2 * 47) + "…";
  EXPECT_NE(dot.find("f1 [label=\"0001  " + cut + "\""), std::string::npos) << dot;
  EXPECT_NE(dot.find("f2 [label=\"0002  " + name.substr(0, 2 * 48) + "\""), std::string::npos);
  EXPECT_NE(dot.find("f1 -> f2 [label=\"" + cut + " → In\"]"), std::string::npos) << dot;
  EXPECT_NE(dot.find("f2 -> f1 [label=\"Out → In\\n" + cut + "\\n2 canaux\"]"), std::string::npos);
}

struct MediaLabelCase {
  const char* name;
  MediaTypeModel media;
  std::string label;
  friend void PrintTo(const MediaLabelCase& c, std::ostream* out) { *out << c.name; }
};

MediaTypeModel WithoutFormat(MediaTypeModel media) {
  media.format.reset();
  return media;
}

MediaTypeModel MajorOnly() {
  MediaTypeModel media;
  media.major_type = Named("Audio");
  return media;
}

class MediaLabel : public ::testing::TestWithParam<MediaLabelCase> {};

TEST_P(MediaLabel, SaysSubtypeAndFirstFigures) {
  EXPECT_EQ(MediaTypeLabel(GetParam().media), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MediaLabel,
    ::testing::Values(
        MediaLabelCase{"BitmapTopDown", Media("YUY2", {Figure("biWidth", 720, FieldRole::kWidth), Figure("biHeight", -576, FieldRole::kHeight)}),
                       "YUY2 720 × 576"},
        MediaLabelCase{
            "AnalogActiveArea",
            Media("None",
                  {{"rcSource", "0,0,640,480"}, Figure("activeWidth", 640, FieldRole::kWidth),
                   Figure("activeHeight", 480, FieldRole::kHeight)}),
            "None 640 × 480"},
        MediaLabelCase{"AudioStereo",
                       Media("PCM Audio", {{"FormatTag", "1"},
                                           Figure("Channels", 2, FieldRole::kChannels),
                                           Figure("Samples Per Sec", 48000, FieldRole::kSampleRate),
                                           Figure("Bits Per Sample", 16, FieldRole::kBitsPerSample)}),
                       "PCM Audio 48000 Hz, 2 canaux, 16 bits"},
        MediaLabelCase{"AudioMonoFirstRecordWins",
                       Media("MPEG1 Audio",
                             {Figure("Channels", 1, FieldRole::kChannels),
                              Figure("Samples Per Sec", 22050, FieldRole::kSampleRate),
                              Figure("Channels", 2, FieldRole::kChannels)}),
                       "MPEG1 Audio 22050 Hz, 1 canal"},
        MediaLabelCase{"CompressedSoundHasNoBits",
                       Media("MP3", {Figure("Channels", 2, FieldRole::kChannels),
                                     Figure("Samples Per Sec", 44100, FieldRole::kSampleRate),
                                     Figure("Bits Per Sample", 0, FieldRole::kBitsPerSample)}),
                       "MP3 44100 Hz, 2 canaux"},
        MediaLabelCase{"WidthWithoutHeight", Media("X", {Figure("biWidth", 720, FieldRole::kWidth)}), "X"},
        MediaLabelCase{"NoFormat", WithoutFormat(Media("RGB24", {})), "RGB24"},
        MediaLabelCase{"MajorTypeWhenNoSubtype", MajorOnly(), "Audio"},
        MediaLabelCase{"Nothing", MediaTypeModel{}, ""}));

}  // namespace
}  // namespace mivalto
