#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#endif

#include "cli/cli_run.h"
#include "cli/console_plain.h"
#include "platform/calendar.h"
#include "report/picture/graph_svg.h"
#include "report/formats/ansi_writer.h"
#include "report/graph_file/grf_writer.h"
#include "report/formats/json_writer.h"
#include "report/sample_report.h"
#include "report/formats/text_writer.h"
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

#ifndef _WIN32
// No Running Object Table here: --live, or a live: input among files, is answered at once.
TEST_F(RunCliTest, RunningGraphsAreNoneHere) {
  CliOptions list{&kText, {}, {}};
  list.list_live = true;
  for (const CliOptions& options : {list, CliOptions{&kText, {}, {complete_.Utf8(), "live:42"}}}) {
    out_.str("");
    err_.str("");
    EXPECT_EQ(RunCli(options, out_, err_), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "mivalto-cli : pas de table des graphes en cours ici (Running Object "
                          "Table) : seul Windows en a une\n");
  }
}
#endif

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

// An output target made in a test folder, and what reached it once the run is over (none
// when it can't be read back, as for a device).
struct OutputTarget {
  std::filesystem::path path;  // given to -o
  std::function<std::optional<std::string>()> received;
};

struct OutputTargetCase {
  const char* name;
  // None when this machine can't make it.
  std::function<std::optional<OutputTarget>(const std::filesystem::path& folder)> make;
  int status = 0;
  std::string err = "";  // the end of standard error
  friend void PrintTo(const OutputTargetCase& c, std::ostream* out) { *out << c.name; }
};

class OutputTargets : public RunCliTest, public ::testing::WithParamInterface<OutputTargetCase> {};

// Whatever -o names stays what it was (a link a link, a FIFO a FIFO), gets the report that
// standard output would, and no temporary file is left in its folder.
TEST_P(OutputTargets, GetTheReportAndStayWhatTheyWere) {
  const std::filesystem::path folder = TempFolder() / "cibles" / GetParam().name;
  std::filesystem::create_directories(folder);
  const std::optional<OutputTarget> target = GetParam().make(folder);
  if (!target) GTEST_SKIP() << "this machine can't make a " << GetParam().name << " here";
  ASSERT_EQ(Run(kText, {complete_.Utf8()}), 0);
  const std::string report = std::exchange(out_, {}).str();
  const auto kind = std::filesystem::symlink_status(target->path).type();

  EXPECT_EQ(Run(kText, {complete_.Utf8()}, Utf8Path(target->path)), GetParam().status);
  EXPECT_TRUE(err_.str().ends_with(GetParam().err)) << err_.str();
  EXPECT_EQ(std::filesystem::symlink_status(target->path).type(), kind);
  const std::optional<std::string> received = target->received();
  if (received && GetParam().status == 0) {
    EXPECT_EQ(*received, report);
  }
  for (const std::filesystem::path& entry : FolderEntries(folder)) {
    EXPECT_FALSE(entry.filename().string().starts_with(".mivalto-")) << entry;
  }
}

std::optional<std::string> ReadBack(const std::filesystem::path& file) { return ReadWhole(file); }

// A file with an old report, longer than the new one.
std::filesystem::path OldReport(const std::filesystem::path& file) {
  std::ofstream(file, std::ios::binary) << std::string(100000, 'a');
  return file;
}

std::optional<OutputTarget> RegularFile(const std::filesystem::path& folder) {
  const std::filesystem::path file = OldReport(folder / "rapport.txt");
  return OutputTarget{file, [file] { return ReadBack(file); }};
}

#ifdef _WIN32
// A name Windows keeps for its null device, in any folder and with any extension.
std::optional<OutputTarget> NullDeviceName(const std::filesystem::path& folder) {
  return OutputTarget{folder / "NUL.txt", [] { return std::nullopt; }};
}
#else
std::optional<std::string> ReadAll(int file) {
  std::string bytes;
  char chunk[4096];
  ssize_t size = 0;
  while ((size = read(file, chunk, sizeof chunk)) > 0) bytes.append(chunk, std::size_t(size));
  close(file);
  return bytes;
}

// Links to an old report: the report replaces it, the link stays.
std::optional<OutputTarget> LinkToFile(const std::filesystem::path& folder) {
  const std::filesystem::path file = OldReport(folder / "rapport.txt");
  std::filesystem::create_symlink(file, folder / "lien");
  return OutputTarget{folder / "lien", [file] { return ReadBack(file); }};
}

// Two relative links, the last one to a name not taken yet in another folder.
std::optional<OutputTarget> LinksToNewName(const std::filesystem::path& folder) {
  std::filesystem::create_directory(folder / "sous");
  std::filesystem::create_symlink("relais", folder / "lien");
  std::filesystem::create_symlink("sous/nouveau.txt", folder / "relais");
  return OutputTarget{folder / "lien", [folder] { return ReadBack(folder / "sous/nouveau.txt"); }};
}

// Its reader is already there: the writer's open doesn't wait, and the report is small enough
// for the FIFO's buffer.
std::optional<OutputTarget> Fifo(const std::filesystem::path& folder) {
  const std::filesystem::path fifo = folder / "fifo";
  if (mkfifo(fifo.c_str(), 0600) != 0) return std::nullopt;
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  return OutputTarget{fifo, [reader] { return ReadAll(reader); }};
}

// Listening: the connection is queued, and the report waits in its buffer.
std::optional<OutputTarget> Socket(const std::filesystem::path& folder) {
  const std::filesystem::path path = folder / "socket";
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.native().size() >= sizeof address.sun_path) return std::nullopt;
  path.native().copy(address.sun_path, path.native().size());
  const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
  if (bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      listen(listening, 1) != 0) {
    return std::nullopt;
  }
  return OutputTarget{path, [listening] {
                        const int accepted = accept(listening, nullptr, nullptr);
                        close(listening);
                        return accepted < 0 ? std::nullopt : ReadAll(accepted);
                      }};
}

// As bash's process substitution gives: /dev/fd/N of a pipe, or a link to it as /dev/stdout is.
std::optional<OutputTarget> Pipe(const std::filesystem::path& folder, bool through_link) {
  int ends[2];
  if (pipe(ends) != 0) return std::nullopt;
  std::filesystem::path path = "/proc/self/fd/" + std::to_string(ends[1]);
  if (through_link) {
    std::filesystem::create_symlink(path, folder / "sortie");
    path = folder / "sortie";
  }
  return OutputTarget{path, [ends] {
                        close(ends[1]);
                        return ReadAll(ends[0]);
                      }};
}

// A character device of this folder's own, as /dev/null or /dev/full: root only.
std::optional<OutputTarget> Device(const std::filesystem::path& folder, unsigned minor) {
  const std::filesystem::path device = folder / "périphérique";
  if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0) return std::nullopt;
  return OutputTarget{device, [] { return std::nullopt; }};
}
#endif

const OutputTargetCase kOutputTargetCases[] = {
    {"RegularFile", RegularFile},
#ifdef _WIN32
    {"NullDeviceName", NullDeviceName},
#else
    {"LinkToFile", LinkToFile},
    {"LinksToNewName", LinksToNewName},
    {"Fifo", Fifo},
    {"Socket", Socket},
    {"Pipe", [](const auto& folder) { return Pipe(folder, false); }},
    {"LinkToPipe", [](const auto& folder) { return Pipe(folder, true); }},
    {"NullDevice", [](const auto& folder) { return Device(folder, 3); }},
    {"FullDevice", [](const auto& folder) { return Device(folder, 7); }, 2,
     " : impossible d'écrire : plus de place sur le disque\n"},
#endif
};

INSTANTIATE_TEST_SUITE_P(Table, OutputTargets, ::testing::ValuesIn(kOutputTargetCases),
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
      .prepare = [](std::span<const ReportDocument>) -> PreparedOutput {
        return {.refusal = FormatRefusal{"graphe trop grand"}};
      }};
  const std::string output = Utf8Path(TempFolder() / "refusé.svg");
  EXPECT_EQ(Run(refusing, {complete_.Utf8()}, output), 2);
  EXPECT_FALSE(std::filesystem::exists(std::u8string(output.begin(), output.end())));
  EXPECT_EQ(err_.str(), "mivalto-cli : " + output + " : graphe trop grand\n");
}

// A graph file is written only for a walk that reached its end: the old output stays.
TEST_F(RunCliTest, GraphFileOfAWalkEndedEarlyIsNotWritten) {
  const OutputFormat grf{.name = "grf", .write = WriteGrf, .prepare = PrepareGrf, .graph_file = true};
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

// An edited JSON report: each derived member it gives that the walk derives otherwise is told,
// but for the value text of a number that went into the bytes and, without a catalogue,
// `registered`; the status stays 0.
TEST_F(RunCliTest, EditedJsonReportTellsWhatItIgnored) {
  const TempFile sample{SampleBytes("capture-preview.grf"), "capture.grf"};
  ASSERT_EQ(Run(kJson, {sample.Utf8()}), 0);
  nlohmann::json report = Json();
  nlohmann::json& graph = report["graph"];
  graph["filters"][0]["kind"] = "dmo";
  graph["filters"][1]["registered"] = true;
  graph["connections"][0]["media_type"]["format"]["size"] = 1;
  graph["connections"][0]["media_type"]["format"]["fields"][6]["number"] = 1920;
  const std::string text = report.dump(2);
  const TempFile edited{{reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, "édité.json"};
  out_.str("");
  EXPECT_EQ(Run(kJson, {edited.Utf8()}), 0);
  EXPECT_EQ(Json()["graph"]["connections"][0]["media_type"]["format"]["fields"][6]["value"], "1920");
  const std::string head = "mivalto-cli : " + edited.Utf8() + " : /graph/";
  std::string ignored = head + "connections/0/media_type/format/size : lu 1, recalculé 88 : ignoré\n" +
                        head + "filters/0/kind : lu \"dmo\", recalculé \"directshow\" : ignoré\n";
#ifdef _WIN32  // the machine's catalogue is known here: registered is derived, and compared
  ignored += head + "filters/1/registered : lu true, recalculé false : ignoré\n";
#endif
  EXPECT_EQ(err_.str(), ignored);
}

// What -f json A B writes reads back as two graphs, "#2" names the second, and a format of one
// graph says how to pick one.
TEST_F(RunCliTest, ArrayOfReportsIsThatManyGraphs) {
  const std::string both = Utf8Path(TempFolder() / "deux.json");
  ASSERT_EQ(Run(kJson, {complete_.Utf8(), complete_.Utf8()}, both), 0);
  EXPECT_EQ(Run(kJson, {both}), 0);
  const nlohmann::json reports = Json();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[1]["file"], both + "#2");
  const OutputFormat grf{.name = "grf", .write = WriteGrf, .prepare = PrepareGrf, .graph_file = true};
  const std::string copy = Utf8Path(TempFolder() / "copie.grf");
  EXPECT_EQ(Run(grf, {both}, copy), 2);
  EXPECT_EQ(err_.str(), "mivalto-cli : " + both + " : ce fichier JSON tient 2 rapports ; pour en "
                        "lire un, nommez-le par son numéro, de " + both + "#1 à " + both + "#2\n");
  EXPECT_EQ(Run(grf, {both + "#2"}, copy), 0);
  EXPECT_EQ(ReadWhole(copy), ReadWhole(complete_.Path()));
  EXPECT_EQ(Run(PlainTextFormat(ComparisonFormats()), {both + "#1", both + "#2"}), 0);
  EXPECT_EQ(Run(PlainTextFormat(ComparisonFormats()), {both, complete_.Utf8()}), 2);
  // A file whose own name ends in "#N" is that file; past the last report is no report.
  const std::string named = both + "#1";
  std::ofstream(named, std::ios::binary) << ReadWhole(TempFile(SampleBytes("capture-preview.grf"), "c.grf").Path());
  out_.str("");
  EXPECT_EQ(Run(kJson, {named}), 0);
  EXPECT_EQ(Json()["graph"]["filters"].size(), 9u);
  std::filesystem::remove(named);
  err_.str("");
  EXPECT_EQ(Run(kText, {both + "#3"}), 2);
  EXPECT_EQ(err_.str(), "mivalto-cli : " + both + "#3 : pas de rapport 3 : ce fichier en tient 2\n");
  std::filesystem::remove(both);
  std::filesystem::remove(copy);
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
