// The JSON report of graphs without filters and connections, line for line with colours and
// bold, as a script reading mivalto-cli's output sees it.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_run.h"
#include "report/json_writer.h"
#include "support/file_layout.h"
#include "support/graph_text.h"
#include "support/temp_file.h"

namespace mivalto {
namespace {

using testing::ByteVector;
using testing::GraphText;

const OutputFormat kJson{"json", WriteJson};
const std::string kSeparator(100, '-');
constexpr const char* kOlive = "#808000";
constexpr const char* kBlack = "#000000";

struct JsonCase {
  const char* name;
  ByteVector file;
  bool complete;
  std::vector<std::string> after_header;  // every line after the header, all olive and bold
};

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
        JsonCase{"Version2", EmptyGraph("0002", ""), true, Walk("0002", {})},
        JsonCase{"NoClockRequired", EmptyGraph("0003", "CLOCK 1 0000"), true,
                 Walk("0003", {"CLOCK   (Requis)", "Aucun"})},
        JsonCase{"NoClock", EmptyGraph("0003", "CLOCK 0 0000"), true, Walk("0003", {"CLOCK  ", "Aucun"})},
        JsonCase{"SystemClock", EmptyGraph("0003", "CLOCK 1 {E436EBB1-524F-11CE-9F53-0020AF0BA770}"), true,
                 Walk("0003", {"CLOCK   (Requis)", "System Clock"})},
        JsonCase{"UnknownReference", EmptyGraph("0003", "CLOCK 0 {0E6C7B2A-1111-2222-3333-444455556666}"),
                 true, Walk("0003", {"CLOCK  ", "{0E6C7B2A-1111-2222-3333-444455556666}"})},
        JsonCase{"BehindRejectedSectors",
                 EmptyGraph("0003", "CLOCK 1 0000", 3, testing::SectorFill::kDecoys), true,
                 Walk("0003", {"CLOCK   (Requis)", "Aucun"})},
        JsonCase{"TenBytes", ByteVector(10, '0'), false, {}},
        JsonCase{"NoGraphText", ByteVector(4096, 0x30), false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mivalto
