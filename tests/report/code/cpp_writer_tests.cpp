#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "report/code/cpp_literal.h"
#include "report/code/cpp_writer.h"
#include "report/code/platform_guid_names.h"

namespace mivalto {
namespace {

using namespace std::string_view_literals;

struct LiteralCase {
  const char* name;
  std::string_view input;
  std::string expected;
  friend void PrintTo(const LiteralCase& c, std::ostream* out) { *out << c.name; }
};

class WideLiteralTest : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(WideLiteralTest, SpellsTheTextAndNothingElse) {
  EXPECT_EQ(WideLiteral(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WideLiteralTest,
    ::testing::Values(LiteralCase{"Empty", "", R"(L"")"},
                      LiteralCase{"Plain", "Smart Tee", R"(L"Smart Tee")"},
                      LiteralCase{"Quote", R"(a"); system("x"); //)",
                                  R"(L"a\"); system(\"x\"); //")"},
                      LiteralCase{"Backslash", R"(C:\a\b\)", R"(L"C:\\a\\b\\")"},
                      LiteralCase{"LineBreaks", "a\r\nb", R"(L"a\r\nb")"},
                      LiteralCase{"Tab", "a\tb", R"(L"a\tb")"},
                      LiteralCase{"NulThenDigit",
                                  "a\0"
                                  "1"sv,
                                  R"(L"a\0001")"},
                      LiteralCase{"Escape", "\x1b[2J", R"(L"\033[2J")"},
                      LiteralCase{"Delete", "\x7f", R"(L"\177")"},
                      LiteralCase{"Trigraphs", "?\?=?\?/?\?'", R"(L"\?\?=\?\?/\?\?'")"},
                      LiteralCase{"ManyQuestionMarks", "a?\??b?", R"(L"a\?\?\?b?")"},
                      LiteralCase{"LoneQuestionMark", "Quoi ?", R"(L"Quoi ?")"},
                      LiteralCase{"CommentMarks", "*/ /* //", R"(L"*/ /* //")"},
                      LiteralCase{"AccentThenHexDigits", "éABC", R"(L"\u00E9ABC")"},
                      LiteralCase{"C1Control", "\xC2\x85", R"(L"\u0085")"},
                      LiteralCase{"LineSeparator", "\xE2\x80\xA8", R"(L"\u2028")"},
                      LiteralCase{"Supplementary",
                                  "\xF0\x9F\x98\x80"
                                  "F",
                                  R"(L"\U0001F600F")"},
                      LiteralCase{"InvalidByte",
                                  "a\xFF"
                                  "b",
                                  R"(L"a\uFFFDb")"},
                      LiteralCase{"CutSequence", "\xE2\x80", R"(L"\uFFFD\uFFFD")"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlatformGuidNamesTest, EachGuidOncePerFamilyWithItsFamilysPrefix) {
  std::set<std::pair<std::string_view, std::string>> seen;
  std::set<std::string_view> names;
  constexpr GuidFamily kFamilies[] = {GuidFamily::kClsid, GuidFamily::kMajorType,
                                      GuidFamily::kSubtype, GuidFamily::kFormatType};
  for (const Named<Guid>& row : PlatformGuidNames()) {
    int families = 0;
    for (const GuidFamily family : kFamilies) {
      if (!row.text.starts_with(GuidFamilyPrefix(family))) continue;
      ++families;
      EXPECT_TRUE(seen.insert({GuidFamilyPrefix(family), GuidText(row.value)}).second) << row.text;
      EXPECT_EQ(PlatformGuidName(family, row.value), row.text);
    }
    // MEDIATYPE_ is not a prefix of MEDIASUBTYPE_, so each name is in exactly one family.
    EXPECT_EQ(families, 1) << row.text;
    EXPECT_TRUE(names.insert(row.text).second) << row.text;
  }
  EXPECT_EQ(PlatformGuidNames().size(), 260u);
}

// A graph with every piece the generator writes: a named and an unnamed CLSID, a file clause,
// a data block, a connection with a format block and a filter clock.
GraphModel SampleGraph() {
  GraphModel graph;
  graph.version = "0003";
  FilterModel source;
  source.position = 1;
  source.id = "0001";
  source.name = "Source \"?\?=\"";
  source.clsid = "{E436EBB5-524F-11CE-9F53-0020AF0BA770}"_guid;
  source.file = FileClause{"SOURCE", "C:\\media\\a.wav"};
  FilterModel parser;
  parser.position = 2;
  parser.id = "0002";
  parser.name = "Parser\n}";
  parser.clsid = "{D51BD5A1-7548-11CF-A520-0080C77EF58A}"_guid;
  parser.data = {0x01, 0xAB};
  graph.filters = {source, parser};
  MediaTypeModel media;
  media.major_type = NamedGuid{"{E436EB83-524F-11CE-9F53-0020AF0BA770}"_guid, "Mediatype Stream"};
  media.subtype = NamedGuid{"{E436EB8B-524F-11CE-9F53-0020AF0BA770}"_guid, "*/ Mediasubtype"};
  media.fixed_size_samples = true;
  media.temporal_compression = false;
  media.sample_size = 4294967295u;
  FormatModel format;
  format.type = {"{05589F81-C356-11CE-BF01-00AA0055595A}"_guid, "Format WaveFormatEx"};
  format.size = 3;
  format.bytes = {0x10, 0x20, 0x30};
  media.format = format;
  ConnectionModel connection;
  connection.from = PinEnd{1, "Output"};
  connection.to = PinEnd{2, "input pin"};
  connection.media_type = media;
  graph.connections = {connection};
  graph.clock = ClockModel{true, "0002", ClockKind::kFilter, 2};
  return graph;
}

struct PieceCase {
  const char* name;
  std::string_view piece;
};

class GraphCppTest : public ::testing::TestWithParam<PieceCase> {};

TEST_P(GraphCppTest, HasThePiece) {
  const std::string source = GraphCpp(SampleGraph(), "a\nb.grf");
  EXPECT_NE(source.find(GetParam().piece), std::string::npos) << source;
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, GraphCppTest,
    ::testing::Values(
        PieceCase{"FileNameEscaped", R"(de graphe "a\nb.grf".)"},
        PieceCase{
            "NamedClsid",
            "CreateFilter(graph, CLSID_AsyncReader,\n"
            R"(                               L"{E436EBB5-524F-11CE-9F53-0020AF0BA770}", L"Source \"\?\?=\"", filter1.put(), not_created)))"},
        PieceCase{"FiltersCounted", "return SayNotCreated(hr, not_created, 2);"},
        PieceCase{"UnnamedClsidDeclared",
                  "static const GUID kGuid_D51BD5A1_7548_11CF_A520_0080C77EF58A = {0xD51BD5A1, "
                  "0x7548, 0x11CF, {0xA5, 0x20, 0x00, 0x80, 0xC7, 0x7E, 0xF5, 0x8A}};  // "
                  R"("Parser\n}")"},
        PieceCase{"FilterComment", R"(// Filtre 2 ("0002") : "Parser\n}", filtre DirectShow)"},
        PieceCase{"SourceFile",
                  R"(LoadSourceFile(filter1.get(), L"Source \"\?\?=\"", L"C:\\media\\a.wav"))"},
        PieceCase{"DataArray", "static BYTE kFilter2Data[] = {\n    0x01, 0xAB,\n};"},
        PieceCase{
            "DataLoaded",
            R"(LoadFilterData(filter2.get(), L"Parser\n}", kFilter2Data, sizeof kFilter2Data))"},
        PieceCase{
            "ConnectionComment",
            R"(// Connexion 1 : "Source \"\?\?=\"" "Output" => "Parser\n}" "input pin", "Mediatype Stream", "*/ Mediasubtype", "Format WaveFormatEx")"},
        PieceCase{"MajorType", "type.majortype = MEDIATYPE_Stream;"},
        PieceCase{"Subtype", "type.subtype = MEDIASUBTYPE_WAVE;"},
        PieceCase{"Flags",
                  "type.bFixedSizeSamples = TRUE;\n    type.bTemporalCompression = FALSE;"},
        PieceCase{"SampleSize", "type.lSampleSize = 4294967295u;"},
        PieceCase{"FormatType", "type.formattype = FORMAT_WaveFormatEx;"},
        PieceCase{"FormatBytes", "static BYTE kConnection1Format[] = {\n    0x10, 0x20, 0x30,\n};"},
        PieceCase{
            "FormatPointer",
            "type.cbFormat = sizeof kConnection1Format;\n    type.pbFormat = kConnection1Format;"},
        PieceCase{"Connect",
                  "ConnectPins(graph, filter1.get(), L\"Source \\\"\\?\\?=\\\"\", L\"Output\",\n"
                  "                     filter2.get(), L\"Parser\\n}\", L\"input pin\", &type)"},
        PieceCase{"FilterClock", R"(SetFilterClock(graph, filter2.get(), L"Parser\n}"))"},
        PieceCase{"ClockRequired", "l'horloge comme requise"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GraphCppTest, EveryClockKindHasItsCall) {
  const std::pair<ClockModel, std::string_view> cases[] = {
      {{false, "0000", ClockKind::kNone, std::nullopt}, "SetClock(graph, nullptr)"},
      {{false, "{E436EBB1-524F-11CE-9F53-0020AF0BA770}", ClockKind::kSystem, std::nullopt},
       R"(SetClassClock(graph, CLSID_SystemClock, L"{E436EBB1-524F-11CE-9F53-0020AF0BA770}"))"},
      {{false, "{12345678-9ABC-DEF0-1234-56789ABCDEF0}", ClockKind::kUnknown, std::nullopt},
       "SetClassClock(graph, kGuid_12345678_9ABC_DEF0_1234_56789ABCDEF0"},
      {{false, "0009", ClockKind::kUnknown, std::nullopt}, R"(son horloge. Référence : "0009")"},
  };
  for (const auto& [clock, call] : cases) {
    GraphModel graph = SampleGraph();
    graph.clock = clock;
    EXPECT_NE(GraphCpp(graph, "g.grf").find(call), std::string::npos) << call;
  }
}

TEST(GraphCppTest, AGraphWithoutFiltersStillMakesAProgram) {
  const std::string source = GraphCpp(GraphModel{}, "vide.grf");
  EXPECT_NE(source.find("HRESULT BuildGraph(IGraphBuilder* graph) {\n  HRESULT hr = S_OK;\n  // "
                        "Le fichier ne demande rien au graphe.\n  (void)graph;\n  return hr;\n}"),
            std::string::npos)
      << source;
}

}  // namespace
}  // namespace mivalto
