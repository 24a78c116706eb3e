// The comparison over pairs of graph files: the sample with every filter kind and format, and
// the same graph changed one way per row, written by the .grf writer (or as a JSON report) and
// walked again; each row gives the differences the JSON comparison must list, and the status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "analysis/analysis_driver.h"
#include "analysis/fixed_calendar.h"
#include "base/program_texts.h"
#include "report/graph_file/graph_stream.h"
#include "report/compare/compare_writer.h"
#include "report/graph_file/compound_file.h"
#include "report/formats/json_writer.h"
#include "support/sample_graphs.h"

namespace mivalto {
namespace {

using testing::ByteVector;

GraphModel Walk(std::span<const std::uint8_t> bytes) {
  MemorySource source(bytes);
  ReportView view;
  const AnalysisResult result =
      AnalyseInput(source, "/g.grf", {2026, 12, 8, 9, 30, 0}, {}, testing::FixedCalendar(), view);
  EXPECT_TRUE(result.complete) << result.stop_reason;
  return result.graph;
}

GraphModel CapturePreview() {
  for (const testing::SampleFile& file : testing::SampleFiles()) {
    if (file.name == "capture-preview.grf") return Walk(file.bytes);
  }
  ADD_FAILURE() << "no capture-preview sample";
  return {};
}

ByteVector AsWritten(const GraphModel& graph) { return CompoundFile(GraphStream(graph)); }

// Another container: the stream further on, free sectors before it.
ByteVector FurtherOn(const GraphModel& graph) {
  return CompoundFile(GraphStream(graph), {.stream_sector = 20});
}

ByteVector AsJsonReport(const GraphModel& graph) {
  const ReportView view;
  const ReportDocument document{"/g.grf", true, &view, &graph};
  std::ostringstream out;
  WriteJson(std::span(&document, 1), out);
  const std::string text = out.str();
  return {text.begin(), text.end()};
}

std::string FourDigits(int n) {
  const std::string digits = std::to_string(n);
  return std::string(4 - digits.size(), '0') + digits;
}

// The filters in reverse order, numbered anew from 0001; the ends and the clock follow them.
void ReverseAndRenumber(GraphModel& graph) {
  const int count = static_cast<int>(graph.filters.size());
  std::reverse(graph.filters.begin(), graph.filters.end());
  for (int i = 0; i < count; ++i) {
    if (graph.filters[i].id == graph.clock->reference) graph.clock->reference = FourDigits(i + 1);
    graph.filters[i].id = FourDigits(i + 1);
  }
  for (ConnectionModel& connection : graph.connections) {
    for (PinEnd* end : {&*connection.from, &*connection.to})
      end->id = FourDigits(count + 1 - end->position);
  }
}

// A difference as the row says it: section, item, change, then the field or the byte runs.
std::string Said(const nlohmann::json& difference) {
  std::string said = difference["section"].get<std::string>() + ' ' +
                     difference["item"].get<std::string>() + ' ' +
                     difference["change"].get<std::string>();
  if (difference.contains("field")) said += ' ' + difference["field"].get<std::string>();
  if (!difference.contains("bytes")) return said;
  for (const nlohmann::json& run : difference["bytes"]["runs"]) {
    said += " @" + std::to_string(run["offset"].get<int>()) + '+' +
            std::to_string(run["count"].get<int>());
  }
  return said;
}

struct PairCase {
  const char* name;
  void (*change)(GraphModel&);
  std::vector<std::string> differences;
  ByteVector (*container)(const GraphModel&) = AsWritten;
  friend void PrintTo(const PairCase& c, std::ostream* out) { *out << c.name; }
};

class GraphPair : public ::testing::TestWithParam<PairCase> {};

TEST_P(GraphPair, ListsWhatDiffers) {
  static const GraphModel a = CapturePreview();
  GraphModel changed = a;
  GetParam().change(changed);
  const GraphModel b = Walk(GetParam().container(changed));
  const ReportView view;
  const ReportDocument documents[] = {{"/a.grf", true, &view, &a}, {"/b.grf", true, &view, &b}};
  const PreparedOutput prepared = PrepareComparison<WriteComparisonJson>(documents);
  std::ostringstream out;
  prepared.write(out);
  const nlohmann::json comparison = nlohmann::json::parse(out.str());
  std::vector<std::string> said;
  for (const nlohmann::json& difference : comparison["differences"])
    said.push_back(Said(difference));
  EXPECT_EQ(said, GetParam().differences);
  EXPECT_EQ(comparison["same"], GetParam().differences.empty());
  EXPECT_EQ(prepared.status, GetParam().differences.empty() ? 0 : 1);
}

const auto kSame = [](GraphModel&) {};

INSTANTIATE_TEST_SUITE_P(
    Table, GraphPair,
    ::testing::Values(
        PairCase{"SameGraphRewritten", kSame, {}},
        PairCase{"SameGraphFurtherOn", kSame, {}, FurtherOn},
        PairCase{"ItsJsonReport", kSame, {}, AsJsonReport},
        PairCase{"RenamedFilter",
                 [](GraphModel& g) { g.filters[2].name = "Autre"; },
                 {"filters name changed"}},
        PairCase{"RenumberedAndReordered", ReverseAndRenumber,
                 std::vector<std::string>(8, "filters id changed")},
        // Neither name nor CLSID agrees: another filter under the same id, other connections.
        PairCase{"AnotherFilterUnderTheSameId",
                 [](GraphModel& g) {
                   g.filters[6].name = "Autre rendu";
                   g.filters[6].clsid = Guid{};
                 },
                 {"filters whole removed", "filters whole added", "connections whole removed",
                  "connections whole added"}},
        PairCase{"PinRenamed",
                 [](GraphModel& g) { g.connections[0].to->pin = "Entrée 2"; },
                 {"connections whole removed", "connections whole added"}},
        PairCase{
            "FormatFieldChanged",
            [](GraphModel& g) { ++g.connections[0].media_type->format->bytes[52]; },
            {"connections format_field changed biWidth", "connections format_bytes changed @52+1"}},
        PairCase{"FlagCleared",
                 [](GraphModel& g) { g.connections[0].media_type->fixed_size_samples = false; },
                 {"connections fixed_size_samples removed"}},
        PairCase{"DataBytesChanged",
                 [](GraphModel& g) {
                   g.filters[5].data[10] ^= 0xFF;
                   g.filters[5].data[11] ^= 0xFF;
                   g.filters[5].data[30] ^= 0xFF;
                 },
                 {"filters data changed @10+2 @30+1"}},
        PairCase{"DataGrown",
                 [](GraphModel& g) { g.filters[5].data.push_back(0); },
                 {"filters data_size changed", "filters data changed"}},
        // The filter of the same id and name is the one whose class changed, not the spare.
        PairCase{"ClassChangedBesideASpareOfTheOldClass",
                 [](GraphModel& g) {
                   g.filters.push_back(g.filters[6]);
                   g.filters.back().id = "0010";
                   g.filters[6].clsid = Guid{};
                 },
                 {"filters clsid changed", "filters whole added"}},
        PairCase{"ConnectionRemoved",
                 [](GraphModel& g) { g.connections.erase(g.connections.begin() + 2); },
                 {"connections whole removed"}},
        PairCase{"FilterAdded",
                 [](GraphModel& g) {
                   g.filters.push_back(g.filters[6]);
                   g.filters.back().id = "0010";
                 },
                 {"filters whole added"}},
        PairCase{"ClockToTheSystem",
                 [](GraphModel& g) {
                   g.clock->required = false;
                   g.clock->reference = "{E436EBB1-524F-11CE-9F53-0020AF0BA770}";
                 },
                 {"clock clock_required removed", "clock clock_source changed"}},
        PairCase{"NoClockBefore0003",
                 [](GraphModel& g) {
                   g.version = "0002";
                   g.clock.reset();
                 },
                 {"version version changed", "clock whole removed"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A connection replaced by another (a renderer fed RGB24 where it was fed YUY2, on another
// pin) says on each side what it carried: the subtype and the first figures.
TEST(GraphPairWords, AReplacedConnectionSaysWhatItCarried) {
  const GraphModel a = CapturePreview();
  GraphModel changed = a;
  changed.connections[0].to->pin = "Entrée 2";
  changed.connections[0].media_type->subtype->guid = "{E436EB7D-524F-11CE-9F53-0020AF0BA770}"_guid;
  const GraphModel b = Walk(AsWritten(changed));
  const std::vector<Difference> differences = CompareGraphs(a, b);
  ASSERT_EQ(differences.size(), 2u);
  const std::string pins = "\"Caméra USB\"  \"Capture\"   => \"Compresseur MJPEG\"  \"Entrée";
  EXPECT_EQ(differences[0].a, pins + "\"  MediaSubType Video Compression YUY2 640 × 480");
  EXPECT_EQ(differences[1].b, pins + " 2\"  Mediasubtype RGB24 640 × 480");
}

// The page shows both pictures at one scale, each column's share of the row its picture's
// width.
TEST(ComparisonPage, PicturesKeepOneScale) {
  const GraphModel a = CapturePreview();
  GraphModel b = a;
  b.filters.resize(2);
  b.connections.clear();
  const ReportView view;
  const ReportDocument documents[] = {{"/a.grf", true, &view, &a}, {"/b.grf", true, &view, &b}};
  std::ostringstream out;
  WriteComparisonHtml(CompareReports(documents), out);
  const std::string page = out.str();
  const std::regex side(R"(<div style="flex: (\d+) 1 0">\n<h3>[^\n]*\n<figure>\n<svg width="(\d+)pt")");
  std::vector<std::string> widths;
  for (auto match = std::sregex_iterator(page.begin(), page.end(), side);
       match != std::sregex_iterator(); ++match) {
    EXPECT_EQ((*match)[1], (*match)[2]);
    widths.push_back((*match)[2]);
  }
  EXPECT_EQ(widths.size(), 2u);
  EXPECT_NE(widths.front(), widths.back());
}

// The note on bytes that differ, at the edges of its French counts.
TEST(GraphPairWords, ByteNotesCountInFrench) {
  EXPECT_EQ(texts::ByteDifferenceNote(0, 0, "", 316, "B"),
            "aucun octet en commun ; 316 octets de plus dans B");
  EXPECT_EQ(texts::ByteDifferenceNote(1, 1, "0", 0, "A"),
            "1 octet différent sur le seul commun, à la position 0");
  EXPECT_EQ(texts::ByteDifferenceNote(1, 416, "40", 0, "A"),
            "1 octet différent sur les 416 communs, à la position 40");
  EXPECT_EQ(texts::ByteDifferenceNote(2, 416, "40, 44", 0, "A"),
            "2 octets différents sur les 416 communs, aux positions 40, 44");
}

// The marks' colours each side's SVG shows, "A's | B's": removed, then changed (edges), then
// removed, added and changed (node fills). The kinds' colours are none of these.
std::string MarksShown(std::string page) {
  constexpr const char* kMarkColours[] = {"#c00000", "#a07800", "#f8d7d7", "#d7f0d7", "#f5ebc0"};
  std::transform(page.begin(), page.end(), page.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::string shown;
  std::size_t at = 0;
  for (const char* side : {"", " | "}) {
    at = page.find("<svg", at);
    const std::size_t end = page.find("</svg>", at);
    shown += side;
    for (const char* colour : kMarkColours) shown += page.find(colour, at) < end ? colour : "";
    at = end;
  }
  return shown;
}

// Each side's picture draws what differs in its change's colour: a connection changed in
// place (a flag cleared) is changed on both sides, never removed.
TEST(ComparisonPage, DrawsEachChangeInItsColour) {
  const struct {
    const char* name;
    void (*change)(GraphModel&);
    std::string shown;
  } rows[] = {
      {"FlagCleared",
       [](GraphModel& g) { g.connections[0].media_type->fixed_size_samples = false; },
       "#a07800 | #a07800"},
      {"ConnectionRemoved", [](GraphModel& g) { g.connections.erase(g.connections.begin() + 2); },
       "#c00000 | "},
      {"FilterRenamed", [](GraphModel& g) { g.filters[2].name = "Autre"; }, "#f5ebc0 | #f5ebc0"},
  };
  const GraphModel a = CapturePreview();
  for (const auto& row : rows) {
    GraphModel changed = a;
    row.change(changed);
    const GraphModel b = Walk(AsWritten(changed));
    const ReportView view;
    const ReportDocument documents[] = {{"/a.grf", true, &view, &a}, {"/b.grf", true, &view, &b}};
    std::ostringstream out;
    WriteComparisonHtml(CompareReports(documents), out);
    EXPECT_EQ(MarksShown(out.str()), row.shown) << row.name;
  }
}

// A finding is the same in both graphs when its rule and field are, on the entry of the same
// names, whatever its values and the entry's number; the others are named with their side.
TEST(ComparisonFindings, NamesThoseOfOneGraphAlone) {
  static const GraphModel a = CapturePreview();
  GraphModel reversed = a;
  ReverseAndRenumber(reversed);
  const GraphModel b = Walk(AsWritten(reversed));
  const auto finding = [](std::string_view rule, PlaceKind place, int number, std::string sentence) {
    return Finding{rule, Severity::kError, place, number, "biSizeImage", std::move(sentence)};
  };
  const int last = static_cast<int>(a.filters.size());
  const std::vector<Finding> in_a = {finding("video.size-image", PlaceKind::kConnection, 1, "1"),
                                     finding("video.planes", PlaceKind::kFilter, 1, "a")};
  const std::vector<Finding> in_b = {finding("video.size-image", PlaceKind::kConnection, 1, "2"),
                                     finding("video.planes", PlaceKind::kFilter, last, "a"),
                                     finding("video.planes", PlaceKind::kFilter, 1, "b")};
  const ReportView view;
  const ReportDocument documents[] = {{"/a.grf", true, &view, &a, {}, &in_a},
                                      {"/b.grf", true, &view, &b, {}, &in_b}};
  std::ostringstream out;
  WriteComparisonJson(CompareReports(documents), out);
  const nlohmann::json findings = nlohmann::json::parse(out.str())["findings"];
  ASSERT_EQ(findings.size(), 1u) << findings;
  EXPECT_EQ(findings[0]["side"], "b");
  EXPECT_EQ(findings[0]["sentence"], "b");
  const ReportView lines = ComparisonLines(documents[0], documents[1], {});
  EXPECT_EQ(lines.Lines()[lines.Lines().size() - 4].text.substr(0, 2), "+ ");
}

}  // namespace
}  // namespace mivalto
