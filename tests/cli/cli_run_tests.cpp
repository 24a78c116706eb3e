#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>
#endif

#include "cli/cli_run.h"
#include "cli/console_plain.h"
#include "platform/calendar.h"
#include "report/graph_svg.h"
#include "report/ansi_writer.h"
#include "report/grf_writer.h"
#include "report/json_writer.h"
#include "report/sample_report.h"
#include "report/text_writer.h"
#include "support/sample_graphs.h"
#include "support/temp_file.h"

namespace mivalto {
namespace {

using testing::TempFile;
using testing::TempFolder;
using testing::Utf8Path;
using enum FileOutcome;

struct StatusCase {
  std::vector<FileOutcome> outcomes;
  int status;
};

TEST(ExitStatus, IsTheWorstOutcome) {
  const StatusCase cases[] = {
      {{}, 0},
      {{kComplete, kComplete}, 0},
      {{kComplete, kEndedEarly, kComplete}, 1},
      {{kEndedEarly, kNotAnalysed}, 2},
      {{kNotAnalysed, kComplete}, 2},
  };
  for (const StatusCase& c : cases) {
    EXPECT_EQ(ExitStatus(c.outcomes), c.status) << ::testing::PrintToString(c.outcomes);
  }
}

testing::ByteVector SampleBytes(const std::string& name) {
  for (const testing::SampleFile& sample : testing::SampleFiles()) {
    if (sample.name == name) return sample.bytes;
  }
  throw std::runtime_error("no sample " + name);
}

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const OutputFormat kJson{.name = "json", .write = WriteJson};
const OutputFormat kText{.name = "text", .write = WriteText};

class RunCliTest : public ::testing::Test {
 protected:
  int Run(const OutputFormat& format, std::vector<std::string> files,
          std::optional<std::string> output = {}) {
    return RunCli({&format, std::move(output), std::move(files)}, out_, err_);
  }
  nlohmann::json Json() const { return nlohmann::json::parse(out_.str()); }

  const TempFile complete_{SampleBytes("minimal-0002.grf"), "complète.grf"};
  // A file with no graph text in it: the header is written, then the analysis stops.
  const TempFile no_graph_{testing::ByteVector(4096, 0), "sans graphe.grf"};
  std::ostringstream out_, err_;
};

TEST_F(RunCliTest, CompleteFileGivesStatusZero) {
  EXPECT_EQ(Run(kJson, {complete_.Utf8()}), 0);
  EXPECT_EQ(Json()["file"], complete_.Utf8());
  EXPECT_EQ(Json()["complete"], true);
  EXPECT_EQ(err_.str(), "");
}

TEST_F(RunCliTest, EndedEarlyKeepsTheReportAndNamesTheFile) {
  EXPECT_EQ(Run(kJson, {no_graph_.Utf8()}), 1);
  EXPECT_EQ(Json()["complete"], false);
  EXPECT_FALSE(Json()["lines"].empty());
  EXPECT_TRUE(err_.str().starts_with("mivalto-cli : " + no_graph_.Utf8() +
                                     " : analyse arrêtée avant la fin ("))
      << err_.str();
}

TEST_F(RunCliTest, MissingFileIsReportedAndTheOthersStillAnalysed) {
  const std::string missing = Utf8Path(TempFolder() / "absent.grf");
  EXPECT_EQ(Run(kJson, {missing, complete_.Utf8()}), 2);
  const nlohmann::json reports = Json();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0]["file"], missing);
  EXPECT_EQ(reports[0]["lines"], nlohmann::json::array());
  EXPECT_EQ(reports[1]["complete"], true);
  EXPECT_EQ(err_.str(), "mivalto-cli : " + missing + " : fichier introuvable\n");
}

TEST_F(RunCliTest, FileThatCantBeOpenedGivesStatusTwo) {
  const std::string folder = Utf8Path(TempFolder());
  EXPECT_EQ(Run(kText, {folder, no_graph_.Utf8()}), 2);
  EXPECT_EQ(err_.str().find("mivalto-cli : " + folder +
                            " : impossible d'ouvrir le fichier : c'est un dossier\n"),
            0u)
      << err_.str();
  EXPECT_NE(err_.str().find(no_graph_.Utf8() + " : analyse arrêtée"), std::string::npos);
}

// An escape sequence in a file name must not reach the terminal through the error stream.
TEST_F(RunCliTest, PathOnTheErrorStreamIsCleaned) {
  const std::string missing = Utf8Path(TempFolder()) + "/\x1b[2J\u202Eabsent.grf";
  EXPECT_EQ(Run(kText, {missing}), 2);
  EXPECT_EQ(err_.str().find('\x1b'), std::string::npos) << err_.str();
  EXPECT_NE(err_.str().find("\uFFFD[2J\uFFFDabsent.grf : "), std::string::npos) << err_.str();
}

TEST_F(RunCliTest, RelativePathIsMadeAbsolute) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(complete_.Path().parent_path());
  const int status = Run(kJson, {Utf8Path(complete_.Path().filename())});
  std::filesystem::current_path(before);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Json()["file"], complete_.Utf8());
  EXPECT_EQ(Json()["lines"][3]["text"].get<std::string>().find("Analyse du fichier " +
                                                               complete_.Utf8() + ","),
            0u);
}

TEST_F(RunCliTest, OutputFileTakesTheReport) {
  const std::string output = Utf8Path(TempFolder() / "rapport é.txt");
  EXPECT_EQ(Run(kText, {complete_.Utf8()}, output), 0);
  EXPECT_EQ(out_.str(), "");
  EXPECT_NE(ReadWhole(std::filesystem::path(std::u8string(output.begin(), output.end())))
                .find("COMPLèTE.GRF\n"),
            std::string::npos);
}

// Compared by identity, not by spelling: "dossier/./graphe.grf" is the graph too.
TEST_F(RunCliTest, OutputThatIsOneOfTheGraphsIsRefused) {
  const TempFile graph{SampleBytes("minimal-0002.grf"), "gardé.grf"};
  const std::string bytes = ReadWhole(graph.Path());
  const std::string output = Utf8Path(graph.Path().parent_path() / "." / graph.Path().filename());
  EXPECT_EQ(Run(kText, {complete_.Utf8(), graph.Utf8()}, output), 2);
  EXPECT_EQ(ReadWhole(graph.Path()), bytes);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), "mivalto-cli : " + output +
                            " : le fichier de sortie est l'un des fichiers à analyser : rien "
                            "n'est analysé ni écrit\n");
}

std::vector<std::filesystem::path> FolderEntries(const std::filesystem::path& folder) {
  return {std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()};
}

// Writes a little, then finds no memory for the rest.
void WriteThenRunOutOfMemory(std::span<const ReportDocument>, std::ostream& out) {
  out << std::string(100000, 'x');
  throw std::bad_alloc();
}
const OutputFormat kOutOfMemory{.name = "text", .write = WriteThenRunOutOfMemory};

// Writes a little, then Graphviz fails to draw.
void WriteThenFailToDraw(std::span<const ReportDocument>, std::ostream& out) {
  out << "<svg";
  throw PictureFailure();
}
const OutputFormat kPictureFails{.name = "svg", .write = WriteThenFailToDraw};

#ifndef _WIN32
// Until the end of the scope, a write past `bytes` fails as on a full disk (0: no limit).
struct FileSizeLimit {
  explicit FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{bytes != 0 ? bytes : kept.rlim_cur, kept.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &kept); }
  const rlimit kept = [] { rlimit now{}; getrlimit(RLIMIT_FSIZE, &now); return now; }();
};
#endif

struct KeptOutputCase {
  const char* name;
  const OutputFormat* format;
  bool graph_exists;
  std::string err;
  std::uint64_t file_size_limit = 0;  // bytes; 0 for none
  friend void PrintTo(const KeptOutputCase& c, std::ostream* out) { *out << c.name; }
};

class OutputKept : public RunCliTest, public ::testing::WithParamInterface<KeptOutputCase> {};

// The old report stays whole, and no temporary file is left beside it.
TEST_P(OutputKept, WhenThereIsNothingNewToPutInIt) {
  const std::filesystem::path folder = TempFolder() / GetParam().name;
  std::filesystem::create_directories(folder);
  const std::filesystem::path output = folder / "rapport.txt";
  std::ofstream(output, std::ios::binary) << "ancien rapport\n";
  const std::string graph = GetParam().graph_exists ? complete_.Utf8() : Utf8Path(folder / "x.grf");
  {
#ifndef _WIN32
    const FileSizeLimit limit(GetParam().file_size_limit);
#endif
    EXPECT_EQ(Run(*GetParam().format, {graph}, Utf8Path(output)), 2);
  }
  EXPECT_EQ(ReadWhole(output), "ancien rapport\n");
  EXPECT_EQ(FolderEntries(folder), std::vector{output});
  EXPECT_TRUE(err_.str().ends_with(GetParam().err)) << err_.str();
}

const KeptOutputCase kKeptOutputCases[] = {
    {"NoGraphAnalysed", &kText, false, " : fichier introuvable\n"},
    {"OutOfMemory", &kOutOfMemory, true, "mivalto-cli : mémoire insuffisante\n"},
    {"PictureNotDrawn", &kPictureFails, true, std::string(PictureFailure().what()) + "\n"},
#ifndef _WIN32
    // A write fails part-way, then the file closes without fault.
    {"WriteFailsPartWay", &kText, true, std::string(std::strerror(EFBIG)) + "\n", 100},
#endif
};

INSTANTIATE_TEST_SUITE_P(Table, OutputKept, ::testing::ValuesIn(kKeptOutputCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct OutputProblemCase {
  const char* name;
  std::filesystem::path output;  // under the temporary folder
  std::string problem;
  friend void PrintTo(const OutputProblemCase& c, std::ostream* out) { *out << c.name; }
};

class OutputProblem : public RunCliTest,
                      public ::testing::WithParamInterface<OutputProblemCase> {};

// And leaves nothing behind in the folder, not even the temporary file.
TEST_P(OutputProblem, SaysWhy) {
  const std::filesystem::path folder = TempFolder() / GetParam().name;
  std::filesystem::create_directories(folder);
  const std::string output = Utf8Path(folder / GetParam().output);
  EXPECT_EQ(Run(kText, {complete_.Utf8()}, output), 2);
  EXPECT_EQ(err_.str(), "mivalto-cli : " + output + " : impossible d'écrire : " +
                            GetParam().problem + "\n");
  EXPECT_EQ(FolderEntries(folder), std::vector<std::filesystem::path>{});
}

const OutputProblemCase kOutputProblemCases[] = {
    {"Folder", ".", "c'est un dossier"},
    {"NoSuchFolder", "absent/r.txt", "dossier introuvable"},
#ifndef _WIN32
    // The temporary file, of a short name, is made; the move to the long name is refused.
    {"NameTooLong", std::string(300, 'n') + ".txt", "nom trop long"},
#endif
};

INSTANTIATE_TEST_SUITE_P(Table, OutputProblem, ::testing::ValuesIn(kOutputProblemCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A last-write time the calendar can't convert: before 1980 for Windows' DOS date, beyond
// the years of a struct tm here. Only a file system that keeps such a date can show it.
#ifdef _WIN32
constexpr const char* kDateFolders[] = {""};
void SetUnconvertibleDate(const std::filesystem::path& file) {
  std::filesystem::last_write_time(
      file, std::chrono::file_clock::from_sys(std::chrono::sys_seconds{
                std::chrono::sys_days{std::chrono::year{1975} / 1 / 1}}));
}
#else
constexpr const char* kDateFolders[] = {"", "/dev/shm"};
void SetUnconvertibleDate(const std::filesystem::path& file) {
  const timespec times[2] = {{0, 0}, {std::int64_t{1} << 62, 0}};
  utimensat(AT_FDCWD, file.c_str(), times, 0);
}
#endif

TEST_F(RunCliTest, DateTheCalendarCantConvertIsSaidSo) {
  for (const char* folder : kDateFolders) {
    if (*folder && !std::filesystem::is_directory(folder)) continue;
    const std::filesystem::path file = (*folder ? std::filesystem::path(folder) : TempFolder()) /
                                       "mivalto-date-hors-calendrier.grf";
    std::filesystem::copy_file(complete_.Path(), file,
                               std::filesystem::copy_options::overwrite_existing);
    SetUnconvertibleDate(file);
    const bool set = !FileLastWriteTime(Utf8Path(file)).has_value();
    if (set) {
      EXPECT_EQ(Run(kText, {Utf8Path(file)}), 2);
      EXPECT_EQ(err_.str(), "mivalto-cli : " + Utf8Path(file) +
                                " : date de dernière modification impossible à convertir\n");
    }
    std::filesystem::remove(file);
    if (set) return;
  }
  GTEST_SKIP() << "no file system here keeps a date the calendar can't convert";
}

// A format that refuses the reports (as svg refuses a graph too large to draw) writes nothing,
// not even an empty output file, and says why.
TEST_F(RunCliTest, RefusedFormatWritesNothingAndGivesStatusTwo) {
  const OutputFormat refusing{
      .name = "refusing",
      .write = WriteText,
      .refusal = [](std::span<const ReportDocument>) -> std::optional<std::string> {
        return "graphe trop grand";
      }};
  const std::string output = Utf8Path(TempFolder() / "refusé.svg");
  EXPECT_EQ(Run(refusing, {complete_.Utf8()}, output), 2);
  EXPECT_FALSE(std::filesystem::exists(std::u8string(output.begin(), output.end())));
  EXPECT_EQ(err_.str(), "mivalto-cli : " + output + " : graphe trop grand\n");
}

// A graph file is written only for a walk that reached its end: the old output stays.
TEST_F(RunCliTest, GraphFileOfAWalkEndedEarlyIsNotWritten) {
  const OutputFormat grf{.name = "grf", .write = WriteGrf, .refusal = GrfRefusal, .graph_file = true};
  const std::filesystem::path output = TempFolder() / "ancien.grf";
  std::ofstream(output, std::ios::binary) << "ancien graphe";
  EXPECT_EQ(Run(grf, {no_graph_.Utf8()}, Utf8Path(output)), 1);
  EXPECT_EQ(ReadWhole(output), "ancien graphe");
}

// A comparison needs both walks whole: nothing is written, and the file cut short is named.
TEST_F(RunCliTest, ComparisonOfAWalkEndedEarlyIsRefused) {
  EXPECT_EQ(Run(PlainTextFormat(ComparisonFormats()), {complete_.Utf8(), no_graph_.Utf8()}), 2);
  EXPECT_EQ(out_.str(), "");
  EXPECT_TRUE(err_.str().starts_with("mivalto-cli : " + no_graph_.Utf8() +
                                     " : analyse arrêtée avant la fin ("))
      << err_.str();
}

// A console without colours gets the ANSI report as plain text, however the writes cut it.
TEST(EscapeDroppingBuffer, TheAnsiReportCutAnywhereBecomesTheTextReport) {
  const ReportView view = testing::SampleReport();
  const ReportDocument document = testing::SampleDocument(view);
  std::ostringstream ansi, text;
  WriteAnsi(std::span(&document, 1), ansi);
  WriteText(std::span(&document, 1), text);
  const std::string coloured = ansi.str();
  for (std::size_t cut = 0; cut <= coloured.size(); ++cut) {
    std::ostringstream shown;
    EscapeDroppingBuffer plain(*shown.rdbuf());
    std::ostream out(&plain);
    out.write(coloured.data(), static_cast<std::streamsize>(cut));
    for (std::size_t i = cut; i < coloured.size(); ++i) out.put(coloured[i]);
    ASSERT_EQ(shown.str(), text.str()) << "cut at " << cut;
  }
}

}  // namespace
}  // namespace mivalto
