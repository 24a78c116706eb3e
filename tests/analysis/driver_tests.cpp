#include <gtest/gtest.h>


#include "analysis/analysis_driver.h"
#include "analysis/fixed_calendar.h"
#include "analysis/report_sink.h"
#include "support/filter_data.h"
#include "support/graph_text.h"
#include "support/kept_lines.h"
#include "support/guid_texts.h"
#include "support/temp_file.h"

namespace mivalto {
namespace {

using testing::ByteVector;
using testing::FixedCalendar;
using testing::GraphText;

const std::string kPath = "/graphs/my graph.grf";
const LocalDateTime kLastWrite{2025, 3, 4, 5, 6, 8};
const std::string kSeparator(100, '-');

ByteVector AtSector(const ByteVector& text, std::size_t sector, std::uint8_t filler = 0) {
  ByteVector file(512 * sector, filler);
  file.insert(file.end(), text.begin(), text.end());
  return file;
}

struct Analysed {
  AnalysisResult result;
  std::vector<std::string> texts;
  std::vector<testing::KeptLine> lines;
};

Analysed Analyse(ByteVector file, const FilterCatalogue& catalogue = {}) {
  MemorySource source(file);
  ReportView view;
  Analysed out;
  out.result = AnalyseSource(source, kPath, kLastWrite, catalogue, FixedCalendar(), view);
  out.lines = testing::KeepLines(view.Lines());
  for (const testing::KeptLine& line : out.lines) out.texts.push_back(line.text);
  return out;
}

std::vector<std::string> HeaderTexts() {
  return {kSeparator,
          "MY GRAPH.GRF",
          "",
          "Analyse du fichier /graphs/my graph.grf, modifié le 4/3/2025 5:6:8",
          "faite le long 8.12.2026 avec Mivalto 2.2.0 fr de Orvel Danth",
          "Visitez mon site web https://mivalto.example.org",
          "",
          kSeparator};
}

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The report of a graph without filters and connections, from the version line on.
std::vector<std::string> EmptyGraphTexts(const std::string& version,
                                         const std::vector<std::string>& clock) {
  std::vector<std::string> texts = {version, "", kSeparator, "FILTERS", "", "", kSeparator,
                                    "CONNECTIONS", "", "", kSeparator};
  texts = Join(texts, clock);
  return Join(texts, {"", kSeparator, "END"});
}

struct EmptyGraphCase {
  const char* name;
  std::string version;
  std::string clock_line;  // without CR LF; empty for version 0002
  std::vector<std::string> clock_report;
  std::size_t sector = 1;
};

class EmptyGraphTest : public ::testing::TestWithParam<EmptyGraphCase> {};

TEST_P(EmptyGraphTest, ReportsEveryLineOfTheWalk) {
  const EmptyGraphCase& c = GetParam();
  GraphText text;
  text.Text(c.version + "\r\nFILTERS\r\nCONNECTIONS\r\n");
  if (!c.clock_line.empty()) text.Text(c.clock_line + "\r\n");
  text.Text("END");
  ByteVector file = AtSector(text.Bytes(), c.sector, 0xAA);
  const Analysed a = Analyse(file);
  EXPECT_TRUE(a.result.complete) << a.result.stop_reason;
  EXPECT_EQ(a.texts, Join(HeaderTexts(), EmptyGraphTexts(c.version, c.clock_report)));

  // Plain black until the file name; every later line olive and bold.
  EXPECT_EQ(a.lines[0].color, kBlack);
  EXPECT_FALSE(a.lines[0].bold);
  for (std::size_t i = 1; i < a.lines.size(); ++i) {
    EXPECT_EQ(a.lines[i].color, kOlive) << i;
    EXPECT_TRUE(a.lines[i].bold) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, EmptyGraphTest,
    ::testing::Values(
        EmptyGraphCase{"Version2", "0002", "", {}},
        EmptyGraphCase{"NoClockRequired", "0003", "CLOCK 1 0000", {"CLOCK   (Requis)", "Aucun"}},
        EmptyGraphCase{"NoClock", "0003", "CLOCK 0 0000", {"CLOCK  ", "Aucun"}},
        EmptyGraphCase{"SystemClock", "0003", "CLOCK 0 {E436EBB1-524F-11CE-9F53-0020AF0BA770}",
                       {"CLOCK  ", "System Clock"}},
        EmptyGraphCase{"SystemClockLowerCase", "0003",
                       "CLOCK 1 {e436ebb1-524f-11ce-9f53-0020af0ba770}",
                       {"CLOCK   (Requis)", "System Clock"}},
        EmptyGraphCase{"UnknownClock", "0003", "CLOCK 0 {11111111-2222-3333-4444-555555555555}",
                       {"CLOCK  ", "{11111111-2222-3333-4444-555555555555}"}},
        EmptyGraphCase{"UnknownFilterNumber", "0003", "CLOCK 0 0007", {"CLOCK  ", "0007"}},
        EmptyGraphCase{"OtherLength", "0003", "CLOCK 0 abc", {"CLOCK  ", "abc"}},
        EmptyGraphCase{"BehindRejectedSectors", "0003", "CLOCK 1 0000",
                       {"CLOCK   (Requis)", "Aucun"}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnalyseSource, TextBehindDecoySectorsIsFound) {
  GraphText decoy;
  decoy.Text("0001\r\n");
  ByteVector file = AtSector(decoy.Bytes(), 1);
  file.resize(1536, 0);
  const ByteVector text = GraphText().Text("0002\r\nF\r\nC\r\nEND").Bytes();
  file.insert(file.end(), text.begin(), text.end());
  const Analysed a = Analyse(file);
  EXPECT_TRUE(a.result.complete);
  EXPECT_EQ(a.texts.back(), "END");
}

TEST(AnalyseSource, WithoutGraphTextOnlyTheHeaderStays) {
  for (const ByteVector& file : {ByteVector(10, '0'), ByteVector(4096, 0), ByteVector{}}) {
    const Analysed a = Analyse(file);
    EXPECT_FALSE(a.result.complete);
    EXPECT_EQ(a.texts, HeaderTexts());
  }
}

TEST(AnalyseSource, GraphWithoutEndMarkerIsComplete) {
  // The rest of the sector follows the text, as in a real file.
  ByteVector file = AtSector(GraphText().Text("0002\r\nF\r\nC\r\n").Bytes(), 1);
  file.resize(1024, 0);
  const Analysed a = Analyse(file);
  EXPECT_TRUE(a.result.complete);
  EXPECT_EQ(a.texts.back(), kSeparator);
}

TEST(AnalyseSource, BadClockGuidEndsBeforeTheClockLines) {
  const Analysed a = Analyse(AtSector(
      GraphText().Text("0003\r\nF\r\nC\r\nCLOCK 0 {E436EBB1-524F-11CE-9F53-0020AF0BA77X}\r\nEND").Bytes(),
      1));
  EXPECT_FALSE(a.result.complete);
  EXPECT_EQ(a.texts.back(), kSeparator);
  EXPECT_EQ(a.texts.size(), HeaderTexts().size() + 11);
}

TEST(AnalyseSource, TitleUpperCasesOnlyAsciiLetters) {
  MemorySource source({});
  ReportView view;
  AnalyseSource(source, "/dir.x/mon graphe-é.grf", kLastWrite, {}, FixedCalendar(), view);
  EXPECT_EQ(view.Lines()[1].text, "MON GRAPHE-é.GRF");
}

// Attributes persist: plain lines take those of the last line that set any.
TEST(AnalyseSource, ColoursCarryOverFromLineToLine) {
  namespace guids = testing::guids;
  testing::MediaTypeEntry media;
  media.major_type = guids::kMajorStream;
  media.subtype = guids::kSubtypeMpeg2Program;
  media.format_type = "{00000000-0000-0000-0000-000000000000}";
  GraphText text;
  text.Text("0003\r\nFILTERS\r\n")
      .Filter({"0001", "Source", std::string(guids::kAsyncFileSource)})
      .Filter({"0002", "Decoder", std::string(guids::kDmoWrapper), {},
               testing::DmoWrapperData(guids::kDmoWrapper, guids::kDmoVideoDecoder)})
      .Text("CONNECTIONS\r\n")
      .Connection({"0001", "Out", "0002", "In", {}, media})
      .Clock("0002")
      .End();
  const Analysed a = Analyse(AtSector(text.Bytes(), 1));
  ASSERT_TRUE(a.result.complete) << a.result.stop_reason;
  const std::vector<std::pair<Color, std::string>> expected = {
      {kOlive, "FILTERS"}, {kOlive, ""}, {kBlack, "0001"}, {kGreen, "0002"}, {kGreen, ""},
      {kGreen, "-"}, {kOlive, "CONNECTIONS"}, {kOlive, ""}, {kBlack, "\"Source\""},
      {kBlack, "     Mediatype Stream"}, {kBlack, "     Mediasubtype MPEG2 Program"},
      {kBlack, "     No Format"}, {kBlack, ""}, {kBlack, ""}, {kBlack, "-"}, {kOlive, "CLOCK"},
      {kOlive, "\"Decoder\""}, {kOlive, ""}, {kOlive, "-"}, {kOlive, "END"}};
  ASSERT_EQ(a.lines.size(), 11 + expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const testing::KeptLine& line = a.lines[11 + i];
    EXPECT_EQ(line.color, expected[i].first) << i << ": " << line.text;
    EXPECT_TRUE(line.bold) << i;
    EXPECT_EQ(line.text.rfind(expected[i].second, 0), 0u) << i << ": " << line.text;
  }
}

TEST(AnalyseFile, MissingFileHasNoDateAndKeepsTheReport) {
  ReportView view;
  ReportSink(view).AddLine("kept");
  const std::string path = "/nonexistent/mivalto/x.grf";
  const AnalysisResult result = AnalyseFile(path, path, {}, FixedCalendar(), view);
  EXPECT_EQ(result.failure, FileFailure::kNoDate);
  EXPECT_EQ(result.file_error.problem, FileProblem::kNotFound);
  ASSERT_EQ(view.Lines().size(), 1u);
}

TEST(AnalyseFile, FolderIsNotOpenedAndLeavesAnEmptyReport) {
  ReportView view;
  ReportSink(view).AddLine("old");
  const std::string folder = testing::Utf8Path(testing::TempFolder());
  const AnalysisResult result = AnalyseFile(folder, folder, {}, FixedCalendar(), view);
  EXPECT_EQ(result.failure, FileFailure::kNotOpened);
  EXPECT_FALSE(result.complete);
  EXPECT_TRUE(view.Lines().empty());
}

TEST(AnalyseFile, ReadsAFileOnDisk) {
  const testing::TempFile graph(AtSector(GraphText().Text("0002\r\nF\r\nC\r\nEND").Bytes(), 1),
                                "mivalto-driver.grf");
  ReportView view;
  const AnalysisResult result = AnalyseFile(graph.Utf8(), "shown.grf", {}, FixedCalendar(), view);
  EXPECT_TRUE(result.complete);
  EXPECT_EQ(view.Lines()[1].text, "SHOWN.GRF");
  EXPECT_EQ(view.Lines().back().text, "END");
}

}  // namespace
}  // namespace mivalto
