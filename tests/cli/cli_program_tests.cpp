// Runs the built mivalto-cli as a user's shell would, output and errors going to files.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/temp_file.h"
#include "support/test_files.h"

namespace mivalto {
namespace {

using testing::TempFolder;
using testing::Utf8Path;

struct ProgramRun {
  int status = -1;
  std::string out, err;
};

std::string ShellQuoted(const std::string& argument) {
  std::string quoted = "'";
  for (const char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// as_user: the user and group id to run the program as (root's tests then see what a user
// sees), or none.
ProgramRun RunProgram(const std::vector<std::string>& arguments, const char* as_user = nullptr) {
  const std::filesystem::path out = TempFolder() / "program.out";
  const std::filesystem::path err = TempFolder() / "program.err";
  std::string command = ShellQuoted(MIVALTO_CLI_PROGRAM);
  if (as_user) {
    command = std::string("setpriv --reuid=") + as_user + " --regid=" + as_user +
              " --clear-groups " + command;
  }
  for (const std::string& argument : arguments) command += ' ' + ShellQuoted(argument);
  command += " >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWhole(out), ReadWhole(err)};
}

const std::string kSeparator(100, '-');
const std::string kMinimal = testing::SamplesDir() + "/minimal-0002.grf";
const std::string kCapture = testing::SamplesDir() + "/capture-preview.grf";

struct ProgramCase {
  const char* name;
  std::vector<std::string> arguments;
  int status;
  std::string out_starts;
  std::string err;
  friend void PrintTo(const ProgramCase& c, std::ostream* out) { *out << c.name; }
};

class Program : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(Program, ExitsWithItsStatus) {
  const ProgramRun run = RunProgram(GetParam().arguments);
  EXPECT_EQ(run.status, GetParam().status) << run.err;
  EXPECT_TRUE(run.out.starts_with(GetParam().out_starts)) << run.out;
  EXPECT_EQ(run.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Program,
    ::testing::Values(
        ProgramCase{"Version", {"--version"}, 0, "mivalto-cli 2.2.0\n", ""},
        // One program builds one graph.
        ProgramCase{"UsageError",
                    {"--format", "cpp", kMinimal, kMinimal},
                    2,
                    "",
                    "mivalto-cli : un seul fichier de graphe pour le format cpp\n"
                    "Pour l'aide : mivalto-cli --help\n"},
        // Standard output is a file here, so the default is plain text.
        ProgramCase{"PlainTextWhenNotATerminal",
                    {kMinimal},
                    0,
                    kSeparator + "\nMINIMAL-0002.GRF\n\nAnalyse du fichier " + kMinimal,
                    ""},
        ProgramCase{"CppOfAGraph",
                    {"--format", "cpp", kMinimal},
                    0,
                    "// Programme C++ généré par Mivalto 2.2.0 fr à partir du fichier de graphe "
                    "\"minimal-0002.grf\".\n",
                    ""},
        ProgramCase{"MissingFile",
                    {"/nulle/part.grf"},
                    2,
                    "",
                    "mivalto-cli : /nulle/part.grf : fichier introuvable\n"},
        // A comparison: 0 for the same graph, 1 when they differ, 2 when one can't be read.
        ProgramCase{"CompareSame",
                    {"--compare", kCapture, kCapture},
                    0,
                    kSeparator + "\nCOMPARAISON\n\n- " + kCapture + "\n+ " + kCapture + "\n",
                    ""},
        ProgramCase{"CompareAnsi",
                    {"--compare", "-f", "ansi", kMinimal, kCapture},
                    1,
                    kSeparator + "\n\x1b[1;33mCOMPARAISON\x1b[0m\n\n\x1b[31m- " + kMinimal,
                    ""},
        ProgramCase{"CompareHtml",
                    {"--compare", "-f", "html", kMinimal, kCapture},
                    1,
                    "<!DOCTYPE html>\n",
                    ""},
        ProgramCase{"CompareJson",
                    {"--compare", "-f", "json", kMinimal, kCapture},
                    1,
                    "{\n  \"file_a\": \"" + kMinimal + "\",\n  \"file_b\": \"" + kCapture +
                        "\",\n  \"same\": false,\n  \"differences\": [\n    {\n",
                    ""},
        ProgramCase{"CompareMissingFile",
                    {"--compare", kMinimal, "/nulle/part.grf"},
                    2,
                    "",
                    "mivalto-cli : /nulle/part.grf : fichier introuvable\nmivalto-cli : "
                    "/nulle/part.grf : rien n'est comparé : les deux fichiers doivent être "
                    "analysés jusqu'au bout\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramFiles, NonAsciiNameGoesThrough) {
  const std::filesystem::path copy = TempFolder() / u8"graphe é \U0001F600.grf";
  std::filesystem::copy_file(kMinimal, copy, std::filesystem::copy_options::overwrite_existing);
  const ProgramRun run = RunProgram({"--format", "json", Utf8Path(copy)});
  EXPECT_EQ(run.status, 0) << run.err;
  const nlohmann::json report = nlohmann::json::parse(run.out);
  EXPECT_EQ(report["file"], Utf8Path(copy));
  EXPECT_EQ(report["lines"][1]["text"], "GRAPHE é \U0001F600.GRF");
}

// A user who may not search a folder can't tell whether the file is there; root may do
// anything, so as root the program runs as nobody (65534, in group nogroup).
TEST(ProgramFiles, FolderWithoutSearchPermissionIsSaidSo) {
  const std::filesystem::path folder = TempFolder() / "sans recherche";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(kMinimal, folder / "g.grf",
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
  const bool root = geteuid() == 0;
  const ProgramRun run = RunProgram({Utf8Path(folder / "g.grf")}, root ? "65534" : nullptr);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "mivalto-cli : " + Utf8Path(folder / "g.grf") +
                         " : impossible d'ouvrir le fichier : permission refusée\n");
}

// Opened by the path as given: a short name works in a folder whose full path is longer than
// the system takes in one path (4,096 bytes on Linux).
TEST(ProgramFiles, RelativePathWorksAtAnyDepth) {
  const std::filesystem::path start = std::filesystem::current_path();
  std::filesystem::current_path(TempFolder());
  const std::string level(200, 'p');
  constexpr int kLevels = 25;
  for (int i = 0; i < kLevels; ++i) {
    std::filesystem::create_directory(level);
    std::filesystem::current_path(level);
  }
  std::filesystem::copy_file(kMinimal, "g.grf");
  const ProgramRun run = RunProgram({"g.grf"});
  std::filesystem::remove("g.grf");
  for (int i = 0; i < kLevels; ++i) {
    std::filesystem::current_path("..");
    std::filesystem::remove(level);
  }
  std::filesystem::current_path(start);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.starts_with(kSeparator + "\nG.GRF\n")) << run.out.substr(0, 200);
}

// Half a graph is neither a program nor a graph file: nothing on the output, even through a
// pipe, the reason on the errors.
TEST(ProgramFiles, CppOrGrfOfAWalkEndedEarlyIsNothing) {
  const std::string whole = ReadWhole(testing::SamplesDir() + "/capture-preview.grf");
  const std::filesystem::path cut = TempFolder() / "coupé.grf";
  std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() / 2);
  for (const char* format : {"cpp", "grf"}) {
    const ProgramRun run = RunProgram({"--format", format, "-o", "-", Utf8Path(cut)});
    EXPECT_EQ(run.status, 1) << format << run.err;
    EXPECT_EQ(run.out, "") << format;
    EXPECT_TRUE(run.err.starts_with("mivalto-cli : " + Utf8Path(cut) +
                                    " : analyse arrêtée avant la fin ("))
        << run.err;
  }
}

// Every real graph is analysed to its end.
TEST(ProgramFiles, CorpusIsAnalysedToTheEnd) {
  const std::optional<std::string> corpus = testing::CorpusDir();
  if (!corpus) GTEST_SKIP() << testing::kNoCorpus;
  std::vector<std::string> arguments = {"--format", "json"};
  for (const auto& entry : std::filesystem::directory_iterator(*corpus)) {
    if (entry.path().extension() == ".grf") arguments.push_back(entry.path().string());
  }
  if (arguments.size() < 4) GTEST_SKIP() << "fewer than two graphs in " << *corpus;
  const ProgramRun run = RunProgram(arguments);
  EXPECT_EQ(run.status, 0) << run.err;
  const nlohmann::json reports = nlohmann::json::parse(run.out);
  ASSERT_EQ(reports.size(), arguments.size() - 2);
  for (const nlohmann::json& report : reports) {
    EXPECT_EQ(report["complete"], true) << report["file"];
    const nlohmann::json& lines = report["lines"];
    EXPECT_EQ(lines.empty() ? "" : lines.back()["text"], "END") << report["file"];
  }
}

}  // namespace
}  // namespace mivalto
