// The JSON report of graphs without filters and connections, line for line with colours and
// bold, and their graph (version and clock), as a script reading mivalto-cli's output sees it;
// then a graph whose names hold every character JSON escapes, whole and cut short.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_run.h"
#include "report/formats/json_writer.h"
#include "support/file_layout.h"
#include "support/graph_text.h"
#include "support/temp_file.h"

namespace mivalto {
namespace {

using testing::ByteVector;
using testing::GraphText;

const OutputFormat kJson{.name = "json", .write = WriteJson};
const std::string kSeparator(100, '-');
constexpr const char* kOlive = "#808000";
constexpr const char* kBlack = "#000000";

struct JsonCase {
  const char* name;
  ByteVector file;
  bool complete;
  std::vector<std::string> after_header;  // every line after the header, all olive and bold
  nlohmann::json graph;
};

nlohmann::json EmptyGraphJson(const char* version, nlohmann::json clock = nullptr) {
  nlohmann::json graph = {{"filters", nlohmann::json::array()},
                          {"connections", nlohmann::json::array()}};
  if (version != nullptr) graph["version"] = version;
  if (!clock.is_null()) graph["clock"] = clock;
  return graph;
}

nlohmann::json Clock(bool required, const char* reference, const char* kind) {
  return {{"required", required}, {"reference", reference}, {"kind", kind}, {"position", nullptr}};
}

ByteVector EmptyGraph(const std::string& version, const std::string& clock_line,
                      std::size_t sector = 1, testing::SectorFill fill = testing::SectorFill::kZeros) {
  GraphText text;
  text.Text(version + "\r\nFILTERS\r\nCONNECTIONS\r\n");
  if (!clock_line.empty()) text.Line(clock_line);
  text.End();
  return testing::PlaceAtSector(text.Bytes(), sector, fill, 64);
}

std::vector<std::string> Walk(const std::string& version, std::vector<std::string> clock) {
  std::vector<std::string> lines = {version, "", kSeparator, "FILTERS", "", "", kSeparator,
                                    "CONNECTIONS", "", "", kSeparator};
  lines.insert(lines.end(), clock.begin(), clock.end());
  lines.insert(lines.end(), {"", kSeparator, "END"});
  return lines;
}

class CliJsonTest : public ::testing::TestWithParam<JsonCase> {};

TEST_P(CliJsonTest, GivesTheWholeReportLineForLine) {
  const testing::TempFile graph(GetParam().file, "graphe vide.grf");
  std::ostringstream out, err;
  const int status = RunCli({&kJson, {}, {graph.Utf8()}}, out, err);
  EXPECT_EQ(status, GetParam().complete ? 0 : 1) << err.str();
  const nlohmann::json report = nlohmann::json::parse(out.str());
  EXPECT_EQ(report["file"], graph.Utf8());
  EXPECT_EQ(report["complete"], GetParam().complete);
  EXPECT_EQ(report["graph"], GetParam().graph);
  EXPECT_EQ(report.contains("stop_reason"), !GetParam().complete);

  const nlohmann::json& lines = report["lines"];
  const std::vector<std::string> header_start = {
      kSeparator, "GRAPHE VIDE.GRF", "", "Analyse du fichier " + graph.Utf8() + ", modifié le ",
      "faite le ", "Visitez mon site web https://mivalto.example.org", "", kSeparator};
  ASSERT_EQ(lines.size(), header_start.size() + GetParam().after_header.size()) << lines.dump(1);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string text = lines[i]["text"];
    const bool header = i < header_start.size();
    const std::string& expected = header ? header_start[i] : GetParam().after_header[i - header_start.size()];
    if (header && (i == 3 || i == 4)) {
      EXPECT_TRUE(text.starts_with(expected)) << text;  // the dates depend on the machine
    } else {
      EXPECT_EQ(text, expected) << "line " << i;
    }
    EXPECT_EQ(lines[i]["color"], i == 0 ? kBlack : kOlive) << "line " << i;
    EXPECT_EQ(lines[i]["bold"], i != 0) << "line " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Graphs, CliJsonTest,
    ::testing::Values(
        JsonCase{"Version2", EmptyGraph("0002", ""), true, Walk("0002", {}), EmptyGraphJson("0002")},
        JsonCase{"NoClockRequired", EmptyGraph("0003", "CLOCK 1 0000"), true,
                 Walk("0003", {"CLOCK   (Requis)", "Aucun"}),
                 EmptyGraphJson("0003", Clock(true, "0000", "none"))},
        JsonCase{"NoClock", EmptyGraph("0003", "CLOCK 0 0000"), true, Walk("0003", {"CLOCK  ", "Aucun"}),
                 EmptyGraphJson("0003", Clock(false, "0000", "none"))},
        JsonCase{"SystemClock", EmptyGraph("0003", "CLOCK 1 {E436EBB1-524F-11CE-9F53-0020AF0BA770}"), true,
                 Walk("0003", {"CLOCK   (Requis)", "System Clock"}),
                 EmptyGraphJson("0003", Clock(true, "{E436EBB1-524F-11CE-9F53-0020AF0BA770}", "system"))},
        JsonCase{"UnknownReference", EmptyGraph("0003", "CLOCK 0 {0E6C7B2A-1111-2222-3333-444455556666}"),
                 true, Walk("0003", {"CLOCK  ", "{0E6C7B2A-1111-2222-3333-444455556666}"}),
                 EmptyGraphJson("0003", Clock(false, "{0E6C7B2A-1111-2222-3333-444455556666}", "unknown"))},
        JsonCase{"BehindRejectedSectors",
                 EmptyGraph("0003", "CLOCK 1 0000", 3, testing::SectorFill::kDecoys), true,
                 Walk("0003", {"CLOCK   (Requis)", "Aucun"}),
                 EmptyGraphJson("0003", Clock(true, "0000", "none"))},
        JsonCase{"TenBytes", ByteVector(10, '0'), false, {}, EmptyGraphJson(nullptr)},
        JsonCase{"NoGraphText", ByteVector(4096, 0x30), false, {}, EmptyGraphJson(nullptr)}),
    [](const auto& info) { return std::string(info.param.name); });

// Names hold quotes (pins can't: they end at one), braces, angle brackets, backslashes, line
// breaks, control characters and text beyond the BMP; the JSON gives them back exactly.
constexpr const char* kHostile = "a'b {c}<d> \\e\r\nf\x01\x1Fg\x7F\U0001F600";
constexpr const char* kHostilePin = "p{<\\>}\t\x02";

ByteVector HostileGraph() {
  GraphText text;
  text.Line("0003").Line("FILTERS");
  text.Filter({"0001", kHostile, "{E436EBB5-524F-11CE-9F53-0020AF0BA770}",
               testing::FilterClause{"SOURCE", "C:\\<x>\\{y}.avi"}, ByteVector(5, 1)});
  text.Filter({"0002", "sink", "{79376820-07D0-11CF-A24D-0020AFD79767}", {}, {}});
  text.Line("CONNECTIONS");
  text.Connection({"0001", kHostilePin, "0002", "in", {},
                   {.major_type = "{73647561-0000-0010-8000-00AA00389B71}",
                    .subtype = "{00000001-0000-0010-8000-00AA00389B71}",
                    .format_type = "{0F6417D6-C318-11D0-A43F-00A0C9223196}"}});
  text.Clock("0001").End();
  return testing::PlaceAtSector(text.Bytes(), 1);
}

nlohmann::json HostileReport(const ByteVector& file) {
  const testing::TempFile graph(file, "hostile.grf");
  std::ostringstream out, err;
  RunCli({&kJson, {}, {graph.Utf8()}}, out, err);
  EXPECT_EQ(out.str().find('\x01'), std::string::npos) << "raw control character";
  return nlohmann::json::parse(out.str());
}

TEST(CliJson, HostileNamesComeBackExactly) {
  const nlohmann::json report = HostileReport(HostileGraph());
  ASSERT_EQ(report["complete"], true) << report.dump(1);
  const nlohmann::json& filter = report["graph"]["filters"][0];
  EXPECT_EQ(filter["name"], kHostile);
  EXPECT_EQ(filter["file"], (nlohmann::json{{"keyword", "SOURCE"}, {"path", "C:\\<x>\\{y}.avi"}}));
  EXPECT_EQ(filter["clsid"], "{E436EBB5-524F-11CE-9F53-0020AF0BA770}");
  EXPECT_EQ(filter["data_size"], 5);
  EXPECT_EQ(filter["data"], "0101010101");
  const nlohmann::json& connection = report["graph"]["connections"][0];
  EXPECT_EQ(connection["from"], (nlohmann::json{{"id", "0001"}, {"position", 1}, {"pin", kHostilePin}}));
  EXPECT_EQ(connection["media_type"]["format"],
            (nlohmann::json{{"guid", "{0F6417D6-C318-11D0-A43F-00A0C9223196}"},
                            {"name", "Format None"},
                            {"size", 0},
                            {"bytes", ""},
                            {"fields", nlohmann::json::array()}}));
  EXPECT_EQ(report["graph"]["clock"]["position"], 1);
}

// Cut inside the format type: the filters and the connection's first lines stay.
TEST(CliJson, CutShortGraphIsMarkedIncomplete) {
  ByteVector file = HostileGraph();
  const ByteVector format_type = GraphText().Text("{0F6417D6").Bytes();
  file.resize(std::search(file.begin(), file.end(), format_type.begin(), format_type.end()) -
              file.begin() + 10);
  const nlohmann::json report = HostileReport(file);
  EXPECT_EQ(report["complete"], false);
  EXPECT_TRUE(std::string(report["stop_reason"]).starts_with("analyse arrêtée avant la fin (")) << report;
  EXPECT_EQ(report["graph"]["filters"].size(), 2u);
  const nlohmann::json& media_type = report["graph"]["connections"][0]["media_type"];
  EXPECT_EQ(media_type["sample_size"], 0);
  EXPECT_FALSE(media_type.contains("format")) << media_type;
  EXPECT_FALSE(report["graph"].contains("clock"));
}

}  // namespace
}  // namespace mivalto
