// The C++ that --format cpp generates, proved by building and running it. ctest runs this
// program twice, around compile_generated.cmake (mingw-w64, native, -Wall -Wextra -Werror):
//   GeneratedSources.*   writes graph files and the source generated from each one's model;
//   GeneratedPrograms.*  runs the built programs under Wine and compares what they did with
//                        the model.
// The round trip uses filters that Wine provides and that connect without GStreamer: File
// Source (Async), Smart Tee, File Writer and Null Renderer.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/analysis_driver.h"
#include "analysis/fixed_calendar.h"
#include "platform/wide_text.h"
#include "report/code/cpp_literal.h"
#include "report/code/cpp_writer.h"
#include "report/code/platform_guid_names.h"
#include "run_program.h"
#include "support/byte_writer.h"
#include "report/graph_file/compound_file.h"
#include "support/graph_text.h"
#include "support/guid_texts.h"
#include "support/temp_file.h"
#include "support/test_files.h"

namespace mivalto {
namespace {

namespace fs = std::filesystem;
using testing::ByteVector;
using testing::ByteWriter;
using testing::ConnectionEntry;
using testing::FilterClause;
using testing::FilterEntry;
using testing::GraphText;
using testing::MediaTypeEntry;

constexpr std::string_view kSmartTee = "{CC58E280-8AA1-11D1-B3F1-00AA003761C5}";
constexpr std::string_view kFileWriter = "{8596E5F0-0DA5-11D0-BD21-00A0C911CE86}";
constexpr std::string_view kNullRenderer = "{C1F400A4-3F08-11D3-9F0B-006008039E37}";
constexpr std::string_view kSubtypeWave = "{E436EB8B-524F-11CE-9F53-0020AF0BA770}";
constexpr std::string_view kNoFormat = "{00000000-0000-0000-0000-000000000000}";

// The lacking filters' graph: ffdshow and a RGB filter, which Wine does not have.
constexpr std::string_view kLackingGraph = "cutepig123__videofeaturetracking__deng.avi.grf";

const fs::path& Folder() {
  static const fs::path folder = fs::path(MIVALTO_GENERATED_DIR).make_preferred();
  return folder;
}

std::string WindowsPath(const fs::path& path) {
  return testing::Utf8Path(fs::path(path).make_preferred());
}

// 0.1 s of 8 kHz mono 16-bit PCM, and its WAVEFORMATEX.
constexpr std::uint32_t kRate = 8000;
ByteVector WaveFormat() {
  return ByteWriter().U16(1).U16(1).U32(kRate).U32(kRate * 2).U16(2).U16(16).U16(0).Result();
}
ByteVector ToneFile() {
  const ByteVector format = WaveFormat();
  ByteWriter samples;
  for (int i = 0; i < 800; ++i) samples.U16(static_cast<std::uint16_t>((i % 40) * 800));
  ByteWriter file;
  file.FourCC("RIFF").U32(static_cast<std::uint32_t>(4 + 8 + format.size() + 8 + samples.Size()));
  file.FourCC("WAVE").FourCC("fmt ").U32(static_cast<std::uint32_t>(format.size())).Bytes(format);
  return file.FourCC("data")
      .U32(static_cast<std::uint32_t>(samples.Size()))
      .Bytes(samples.Result())
      .Result();
}

MediaTypeEntry StreamType(std::string_view format_type, ByteVector format) {
  return {.major_type = std::string(testing::guids::kMajorStream),
          .subtype = std::string(kSubtypeWave),
          .sample_size = testing::TenDigits(1),
          .format_type = std::string(format_type),
          .format = std::move(format)};
}

// Every connection carries a WAVEFORMATEX block: File Source (Async) alone would offer a type
// without one, so finding the block in the built graph shows the stored type was used.
ByteVector RoundTripGraph() {
  GraphText text;
  text.Line("0003").Line("FILTERS");
  text.Filter({.number = "0001",
               .name = "File Source (Async)",
               .clsid = std::string(testing::guids::kAsyncFileSource),
               .clause = FilterClause{"SOURCE", WindowsPath(Folder() / "tone.wav")}});
  text.Filter({.number = "0002", .name = "Smart Tee", .clsid = std::string(kSmartTee)});
  text.Filter({.number = "0003",
               .name = "File Writer",
               .clsid = std::string(kFileWriter),
               .clause = FilterClause{"SINK", WindowsPath(Folder() / "copy.wav")}});
  text.Filter({.number = "0004", .name = "Null Renderer", .clsid = std::string(kNullRenderer)});
  text.Line("CONNECTIONS");
  const MediaTypeEntry wave = StreamType(testing::guids::kFormatWaveFormatEx, WaveFormat());
  text.Connection(
      {.from = "0001", .from_pin = "Output", .to = "0002", .to_pin = "Input", .media = wave});
  text.Connection(
      {.from = "0002", .from_pin = "Capture", .to = "0003", .to_pin = "in", .media = wave});
  text.Connection(
      {.from = "0002", .from_pin = "Preview", .to = "0004", .to_pin = "In", .media = wave});
  text.Clock(testing::guids::kSystemClock, "1").End();
  return CompoundFile(text.Bytes());
}

// Names that would end a literal or a comment, splice a line, form a trigraph, or stand
// outside ASCII; the pin text of the one connection too.
const std::vector<std::string> kHostileNames = {
    R"(back\slash\)",      "?\?=?\?/?\?'?\?(?\?)?\?!?\?<?\?>?\?-",
    "*/ int injected; /*", "// \\",
    "line\r\nbreak\n",     "tab\there\x01\x1f\x7f",
    "é中😀\u0085\u2028",    "%s%n\\x41\\u0041",
    "'{}\n#define X 1",
};
const std::string kHostilePin = "pin \\ ?\?/\n*/";

ByteVector HostileGraph() {
  GraphText text;
  text.Line("0002").Line("FILTERS");
  for (std::size_t i = 0; i < kHostileNames.size(); ++i) {
    text.Filter({.number = "000" + std::to_string(i + 1),
                 .name = kHostileNames[i],
                 .clsid = std::string(kNullRenderer)});
  }
  text.Line("CONNECTIONS");
  text.Connection({.from = "0001",
                   .from_pin = kHostilePin,
                   .to = "0002",
                   .to_pin = "In",
                   .media = StreamType(kNoFormat, {})});
  text.End();
  return CompoundFile(text.Bytes());
}

struct Analysed {
  AnalysisResult result;
  ReportView view;
};

Analysed Analyse(const fs::path& path) {
  Analysed analysed;
  const FilterCatalogue no_catalogue;
  analysed.result =
      AnalyseFile(testing::Utf8Path(path), testing::Utf8Path(path), no_catalogue, testing::FixedCalendar(), analysed.view);
  EXPECT_TRUE(analysed.result.complete) << path << ": " << analysed.result.stop_reason;
  return analysed;
}

void WriteText(const fs::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  ASSERT_TRUE(out.good()) << path;
}

// Writes the graph file, then the source generated from its model as `source_name`.
void WriteGraphAndSource(const ByteVector& graph, std::string_view graph_name,
                         std::string_view source_name) {
  fs::create_directories(Folder());
  const fs::path path = Folder() / graph_name;
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(graph.data()),
              static_cast<std::streamsize>(graph.size()));
  }
  WriteText(Folder() / source_name, GraphCpp(Analyse(path).result.graph, graph_name, source_name));
}

std::vector<fs::path> GraphFilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".grf") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(GeneratedSources, RoundTripOfWineFilters) {
  fs::create_directories(Folder());
  const ByteVector tone = ToneFile();
  std::ofstream(Folder() / "tone.wav", std::ios::binary)
      .write(reinterpret_cast<const char*>(tone.data()), static_cast<std::streamsize>(tone.size()));
  WriteGraphAndSource(RoundTripGraph(), "round_trip.grf", "round_trip.listed.cpp");
}

TEST(GeneratedSources, HostileNames) {
  WriteGraphAndSource(HostileGraph(), "hostile.grf", "hostile.cpp");
}

TEST(GeneratedSources, SamplesAndCorpus) {
  fs::create_directories(Folder());
  int written = 0;
  const std::optional<std::string> corpus = testing::CorpusDir();
  for (const fs::path& folder : {fs::path(testing::SamplesDir()), fs::path(corpus.value_or(""))}) {
    if (folder.empty()) continue;
    for (const fs::path& graph : GraphFilesIn(folder)) {
      WriteText(Folder() / (graph.stem().string() + ".cpp"),
                GraphCpp(Analyse(graph).result.graph, testing::Utf8Path(graph.filename())));
      ++written;
    }
  }
  EXPECT_GE(written, 3) << "the samples at least";
  if (!corpus) GTEST_SKIP() << testing::kNoCorpus << " (only the samples were generated)";
}

// A program that compares every name of the table with the value the headers give it.
TEST(GeneratedSources, PlatformGuidNamesCheck) {
  std::string source =
      "#include <windows.h>\n#include <dshow.h>\n\n#include <cstdio>\n\n"
      "struct Row {\n  const GUID* named;\n  GUID value;\n  const char* name;\n};\n"
      "static const Row kRows[] = {\n";
  for (const Named<Guid>& row : PlatformGuidNames()) {
    source += "    {&" + std::string(row.text) + ", " + GuidInitializer(row.value) + ", \"" +
              std::string(row.text) + "\"},\n";
  }
  source +=
      "};\n\nint wmain() {\n  int wrong = 0;\n  for (const Row& row : kRows) {\n"
      "    if (!IsEqualGUID(*row.named, row.value)) {\n      std::printf(\"%s\\n\", row.name);\n"
      "      ++wrong;\n    }\n  }\n  std::printf(\"%d faux\\n\", wrong);\n  return wrong;\n}\n";
  fs::create_directories(Folder());
  WriteText(Folder() / "platform_guid_names.cpp", source);
}

struct ProgramRun {
  DWORD exit_code;
  std::string output;
};

ProgramRun RunBuilt(std::string_view stem) {
  const fs::path program = Folder() / (std::string(stem) + ".exe");
  const fs::path output = Folder() / (std::string(stem) + ".out");
  const DWORD code = testing::RunProgram(L"\"" + program.wstring() + L"\"", output);
  return {code, testing::ReadWhole(output)};
}

std::vector<std::string> LinesStartingWith(const std::string& text, std::string_view prefix) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with(prefix)) lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  for (const std::uint8_t byte : bytes) text += HexLiteral(byte, 2).substr(2);
  return text;
}

// What graph_lister should find in the graph that BuildGraph made, from the model alone.
std::vector<std::string> ExpectedListing(const GraphModel& graph) {
  std::vector<std::string> lines = {"built\t0x00000000"};
  for (const FilterModel& filter : graph.filters) {
    lines.push_back("filter\t" + filter.name + '\t' + GuidText(*filter.clsid));
  }
  for (const ConnectionModel& connection : graph.connections) {
    const MediaTypeModel& type = *connection.media_type;
    lines.push_back("connection\t" + graph.filters[connection.from->position - 1].name + '\t' +
                    connection.from->pin + '\t' + graph.filters[connection.to->position - 1].name +
                    '\t' + connection.to->pin + '\t' + GuidText(type.major_type->guid) + '\t' +
                    GuidText(type.subtype->guid) + '\t' + (*type.fixed_size_samples ? "1" : "0") +
                    '\t' + (*type.temporal_compression ? "1" : "0") + '\t' +
                    std::to_string(*type.sample_size) + '\t' + GuidText(type.format->type.guid) +
                    '\t' + HexBytes(type.format->bytes));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST(GeneratedPrograms, RoundTripBuildsTheGraphOfTheModel) {
  const GraphModel model = Analyse(Folder() / "round_trip.grf").result.graph;
  ASSERT_EQ(model.filters.size(), 4u);
  const ProgramRun listed = RunBuilt("round_trip.listed.lister");
  EXPECT_EQ(listed.exit_code, 0u) << listed.output;
  std::vector<std::string> got = LinesStartingWith(listed.output, "built\t");
  for (const std::string_view prefix : {"filter\t", "connection\t"}) {
    const std::vector<std::string> more = LinesStartingWith(listed.output, prefix);
    got.insert(got.end(), more.begin(), more.end());
  }
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, ExpectedListing(model)) << listed.output;
}

TEST(GeneratedPrograms, RoundTripSaysWhatItMade) {
  const GraphModel model = Analyse(Folder() / "round_trip.grf").result.graph;
  const ProgramRun run = RunBuilt("round_trip.listed");
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  for (const FilterModel& filter : model.filters) {
    EXPECT_NE(run.output.find("Filtre créé : \"" + filter.name + "\"\r\n"), std::string::npos)
        << filter.name << '\n'
        << run.output;
  }
  for (const ConnectionModel& connection : model.connections) {
    const std::string line =
        "Connexion faite : \"" + model.filters[connection.from->position - 1].name + "\" \"" +
        connection.from->pin + "\" => \"" + model.filters[connection.to->position - 1].name +
        "\" \"" + connection.to->pin + "\"\r\n";
    EXPECT_NE(run.output.find(line), std::string::npos) << line << run.output;
  }
  EXPECT_NE(run.output.find("Horloge réglée.\r\nGraphe construit.\r\n"), std::string::npos)
      << run.output;
}

TEST(GeneratedPrograms, HostileNamesComeBackExactly) {
  const ProgramRun run = RunBuilt("hostile");
  for (const std::string& name : kHostileNames) {
    EXPECT_NE(run.output.find("Filtre créé : \"" + name + "\"\r\n"), std::string::npos)
        << name << '\n'
        << run.output;
  }
  // Null Renderer has no such pin: the failure names it back, and the program fails.
  EXPECT_NE(run.output.find("Échec : broche \"" + kHostilePin + "\" du filtre \"" +
                            kHostileNames[0] + "\" : HRESULT 0x"),
            std::string::npos)
      << run.output;
  EXPECT_EQ(run.exit_code, 1u) << run.output;
}

TEST(GeneratedPrograms, FiltersWineLacksAreNamedByTheirClsid) {
  const std::optional<std::string> corpus = testing::CorpusDir();
  if (!corpus) GTEST_SKIP() << testing::kNoCorpus;
  const fs::path graph = fs::path(*corpus) / kLackingGraph;
  ASSERT_TRUE(testing::IsFile(testing::Utf8Path(graph)));
  const GraphModel model = Analyse(graph).result.graph;
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  int lacking = 0;
  const ProgramRun run = RunBuilt(fs::path(kLackingGraph).stem().string());
  for (const FilterModel& filter : model.filters) {
    const std::wstring clsid_text = Utf8ToWide(GuidText(*filter.clsid));
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromString(clsid_text.c_str(), &clsid), S_OK);
    IUnknown* instance = nullptr;
    const bool created = SUCCEEDED(CoCreateInstance(
        clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&instance)));
    if (instance != nullptr) instance->Release();
    const std::string failure = "Échec : création du filtre \"" + filter.name + "\" " +
                                GuidText(*filter.clsid) +
                                " : filtre non installé sur cette machine : HRESULT 0x80040154 : ";
    EXPECT_EQ(run.output.find(failure) != std::string::npos, !created) << failure << run.output;
    lacking += created ? 0 : 1;
  }
  CoUninitialize();
  EXPECT_GT(lacking, 0) << "Wine now has every filter of " << kLackingGraph;
  EXPECT_EQ(run.exit_code, 1u) << run.output;
  // The count comes last, before the program's conclusion (Wine lacks more than one).
  EXPECT_TRUE(run.output.ends_with(
      std::to_string(lacking) + " filtres sur " + std::to_string(model.filters.size()) +
      " n'ont pas pu être créés.\r\nLe graphe n'a pas pu être construit.\r\n"))
      << run.output;
}

TEST(GeneratedPrograms, PlatformGuidNamesAreTheHeadersValues) {
  const ProgramRun run = RunBuilt("platform_guid_names");
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_EQ(LinesStartingWith(run.output, ""), std::vector<std::string>{"0 faux"});
}

}  // namespace
}  // namespace mivalto
