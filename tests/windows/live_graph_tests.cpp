// Graphs that other processes publish in the Running Object Table, read by the program:
// graph_publisher (built beside this test) publishes a graph built from a graph file, an
// object that only saves a sample's graph text, and one that never answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "analysis/fixed_calendar.h"
#include "analysis/running_graph_analysis.h"
#include "platform/wide_text.h"
#include "report/graph_file/compound_file.h"
#include "run_program.h"
#include "support/byte_writer.h"
#include "support/graph_text.h"
#include "support/guid_texts.h"
#include "support/kept_lines.h"
#include "support/temp_file.h"
#include "support/test_files.h"

namespace mivalto {
namespace {

namespace fs = std::filesystem;
using testing::ByteVector;
using testing::ByteWriter;
using testing::GraphText;
using testing::ReadWhole;

// A publisher in its own process, ended with the test suite.
class Publisher {
 public:
  explicit Publisher(const std::wstring& arguments) {
    static int count = 0;
    const std::wstring event_name =
        L"mivalto-live-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count);
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, event_name.c_str());
    std::wstring command = L"\"" + testing::ProgramFolder() + L"graph_publisher.exe\" " +
                           arguments + L" " + event_name;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    EXPECT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process_))
        << "got error " << GetLastError();
    const HANDLE waited[] = {ready, process_.hProcess};
    EXPECT_EQ(WaitForMultipleObjects(2, waited, FALSE, 60000), WAIT_OBJECT_0)
        << "the publisher did not say it was ready";
    CloseHandle(ready);
  }
  ~Publisher() {
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  std::string Live() const { return "live:" + std::to_string(process_.dwProcessId); }
  DWORD Id() const { return process_.dwProcessId; }

 private:
  PROCESS_INFORMATION process_{};
};

// An 8 kHz mono 16-bit WAVEFORMATEX, and a WAVE file of no samples, enough for the file source.
const ByteVector kWaveFormat =
    ByteWriter().U16(1).U16(1).U32(8000).U32(16000).U16(2).U16(16).U16(0).Result();
ByteVector WaveFile() {
  ByteWriter file;
  file.FourCC("RIFF").U32(static_cast<std::uint32_t>(4 + 8 + kWaveFormat.size() + 8));
  file.FourCC("WAVE").FourCC("fmt ").U32(static_cast<std::uint32_t>(kWaveFormat.size()));
  return file.Bytes(kWaveFormat).FourCC("data").U32(0).Result();
}

// File Source (Async) -> Smart Tee -> File Writer and Null Renderer, WAVEFORMATEX blocks
// between them, the system clock: filters Wine has, which connect without GStreamer.
ByteVector BuiltGraph(const fs::path& wave, const fs::path& copy) {
  const testing::MediaTypeEntry media{
      .major_type = std::string(testing::guids::kMajorStream),
      .subtype = "{E436EB8B-524F-11CE-9F53-0020AF0BA770}",
      .sample_size = testing::TenDigits(1),
      .format_type = std::string(testing::guids::kFormatWaveFormatEx),
      .format = kWaveFormat};
  GraphText text;
  text.Line("0003").Line("FILTERS");
  text.Filter({.number = "0001",
               .name = "File Source (Async)",
               .clsid = std::string(testing::guids::kAsyncFileSource),
               .clause = testing::FilterClause{"SOURCE", testing::Utf8Path(wave)}});
  text.Filter({"0002", "Smart Tee", "{CC58E280-8AA1-11D1-B3F1-00AA003761C5}"});
  text.Filter({.number = "0003",
               .name = "File Writer",
               .clsid = "{8596E5F0-0DA5-11D0-BD21-00A0C911CE86}",
               .clause = testing::FilterClause{"SINK", testing::Utf8Path(copy)}});
  text.Filter({"0004", "Null Renderer", "{C1F400A4-3F08-11D3-9F0B-006008039E37}"});
  text.Line("CONNECTIONS");
  text.Connection(
      {.from = "0001", .from_pin = "Output", .to = "0002", .to_pin = "Input", .media = media});
  text.Connection(
      {.from = "0002", .from_pin = "Capture", .to = "0003", .to_pin = "in", .media = media});
  text.Connection(
      {.from = "0002", .from_pin = "Preview", .to = "0004", .to_pin = "In", .media = media});
  text.Clock(testing::guids::kSystemClock, "1").End();
  return CompoundFile(text.Bytes());
}

struct Read {
  ReportView view;
  AnalysisResult result;
};
std::unique_ptr<Read> ReadInput(const std::string& input) {
  auto read = std::make_unique<Read>();
  read->result = AnalyseNamedInput(input, input, {}, testing::FixedCalendar(), read->view);
  return read;
}

// The report's lines after its header (after its second separator), colours and bold too.
std::vector<testing::KeptLine> LinesAfterHeader(const ReportView& view) {
  std::vector<testing::KeptLine> lines = testing::KeepLines(view.Lines());
  for (int separators = 0; separators < 2 && !lines.empty(); lines.erase(lines.begin())) {
    if (lines.front().text == std::string(100, '-')) ++separators;
  }
  return lines;
}

std::string LineText(const ReportView& view, std::size_t index) {
  return index < view.Lines().size() ? std::string(view.Lines()[index].text) : std::string();
}

DWORD RunCli(const std::wstring& arguments, const fs::path& output) {
  return testing::RunProgram(L"\"" + testing::ProgramFolder() + L"mivalto-cli.exe\" " + arguments,
                             output);
}

std::wstring Wide(const std::string& text) { return Utf8ToWide(text); }
using testing::Utf8Path;

class RunningGraphs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    wave_ = new testing::TempFile(WaveFile(), "tone.wav");
    graph_ = new testing::TempFile(BuiltGraph(wave_->Path(), testing::TempFolder() / "copy.wav"),
                                   "built.grf");
    sample_ = testing::SamplesDir() + "/capture-preview.grf";
    built_ = new Publisher(L"graph \"" + graph_->Path().wstring() + L"\"");
    saving_ = new Publisher(L"stream \"" + Wide(sample_) + L"\"");
  }
  static void TearDownTestSuite() {
    delete saving_;
    delete built_;
    delete graph_;
    delete wave_;
  }
  static inline testing::TempFile* wave_ = nullptr;
  static inline testing::TempFile* graph_ = nullptr;
  static inline std::string sample_;
  static inline Publisher* built_ = nullptr;
  static inline Publisher* saving_ = nullptr;
};

TEST_F(RunningGraphs, ListsEachPublisherWithItsProcessAndProgram) {
  const testing::TempFile output(ByteVector{}, "live.json");
  ASSERT_EQ(RunCli(L"--live -f json", output.Path()), 0u);
  const auto list = nlohmann::json::parse(ReadWhole(output.Path()))["running_graphs"];
  for (const Publisher* publisher : {built_, saving_}) {
    int found = 0;
    for (const auto& entry : list) {
      if (entry.value("process_id", 0u) != publisher->Id()) continue;
      ++found;
      EXPECT_EQ(entry["program"], "graph_publisher.exe") << entry;
      EXPECT_EQ(entry["input"], publisher->Live()) << entry;
      EXPECT_TRUE(entry["name"].get<std::string>().starts_with("FilterGraph ")) << entry;
    }
    EXPECT_EQ(found, 1) << list;
  }
}

// Wine's graph does not save itself: it is walked, and gives the model of its file but for
// what Wine's filters keep to themselves, which the header names and the comparison shows.
TEST_F(RunningGraphs, WalkedGraphIsTheModelOfItsFile) {
  const auto walked = ReadInput(built_->Live());
  const auto file = ReadInput(graph_->Utf8());
  ASSERT_TRUE(walked->result.complete) << walked->result.stop_reason;
  ASSERT_TRUE(file->result.complete);
  GraphModel expected = file->result.graph;
  expected.filters[2].file.reset();  // Wine's File Writer does not say its file
  EXPECT_EQ(walked->result.graph, expected);
  EXPECT_EQ(LineText(walked->view, 4),
            "Lu en parcourant ses filtres, broches et connexions (il "
            "ne se sauvegarde pas), sans toucher au graphe");
  EXPECT_EQ(LineText(walked->view, 5),
            "Données non lues (filtres sans IPersistStream) : 0001, 0002, 0003, 0004");
  EXPECT_EQ(LineText(walked->view, 6), "Fichiers non lus (GetCurFile a échoué) : 0003");

  const testing::TempFile output(ByteVector{}, "compare.txt");
  EXPECT_EQ(
      RunCli(L"--compare -f text \"" + graph_->Path().wstring() + L"\" " + Wide(built_->Live()),
             output.Path()),
      1u);
  const std::string comparison = ReadWhole(output.Path());
  EXPECT_NE(comparison.find("\n1 différence\n"), std::string::npos) << comparison;
  EXPECT_NE(comparison.find("-      fichier : SINK  \"" + Utf8Path(testing::TempFolder()) +
                            "\\copy.wav\"\n"),
            std::string::npos)
      << comparison;
}

// An object that only saves: its text is the sample's, report, model and graph file alike.
TEST_F(RunningGraphs, SavedGraphIsTheSampleByteForByte) {
  const auto saved = ReadInput(saving_->Live());
  const auto file = ReadInput(sample_);
  ASSERT_TRUE(saved->result.complete) << saved->result.stop_reason;
  EXPECT_EQ(saved->result.graph, file->result.graph);
  EXPECT_EQ(LinesAfterHeader(saved->view), LinesAfterHeader(file->view));
  EXPECT_EQ(LineText(saved->view, 1),
            "GRAPH_PUBLISHER.EXE (PROCESSUS " + std::to_string(saving_->Id()) + ")");

  const testing::TempFile grf(ByteVector{}, "saved.grf");
  const testing::TempFile output(ByteVector{}, "saved.txt");
  EXPECT_EQ(RunCli(L"-f grf -o \"" + grf.Path().wstring() + L"\" " + Wide(saving_->Live()),
                   output.Path()),
            0u)
      << ReadWhole(output.Path());
  EXPECT_EQ(ReadWhole(grf.Path()), ReadWhole(fs::u8path(sample_)));
}

// A program that stops answering is given up on, with its name, and exit status 2.
TEST(RunningGraphNotAnswering, GivesUpNamingTheProcess) {
  const Publisher silent(L"silent");
  const testing::TempFile output(ByteVector{}, "silent.txt");
  EXPECT_EQ(RunCli(L"-f text " + Wide(silent.Live()), output.Path()), 2u);
  EXPECT_NE(ReadWhole(output.Path())
                .find("graph_publisher.exe (processus " + std::to_string(silent.Id()) +
                      ") ne répond pas : abandon après 5 secondes"),
            std::string::npos)
      << ReadWhole(output.Path());
}

}  // namespace
}  // namespace mivalto
