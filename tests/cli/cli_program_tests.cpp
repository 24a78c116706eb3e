// Runs the built mivalto-cli as a user's shell would, output and errors going to files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/temp_file.h"

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

ProgramRun RunProgram(const std::vector<std::string>& arguments) {
  const std::filesystem::path out = TempFolder() / "program.out";
  const std::filesystem::path err = TempFolder() / "program.err";
  std::string command = ShellQuoted(MIVALTO_CLI_PROGRAM);
  for (const std::string& argument : arguments) command += ' ' + ShellQuoted(argument);
  command += " >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWhole(out), ReadWhole(err)};
}

const std::string kSeparator(100, '-');
const std::string kMinimal = MIVALTO_SAMPLES_DIR "/minimal-0002.grf";

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
        ProgramCase{"UsageError",
                    {"--format", "x", kMinimal},
                    2,
                    "",
                    "mivalto-cli : format inconnu : x\nPour l'aide : mivalto-cli --help\n"},
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
                    "mivalto-cli : /nulle/part.grf : fichier introuvable\n"}),
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

// Half a graph is not a program: nothing on the output, the reason on the errors.
TEST(ProgramFiles, CppOfAWalkEndedEarlyIsNothing) {
  const std::string whole = ReadWhole(MIVALTO_SAMPLES_DIR "/capture-preview.grf");
  const std::filesystem::path cut = TempFolder() / "coupé.grf";
  std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() / 2);
  const ProgramRun run = RunProgram({"--format", "cpp", Utf8Path(cut)});
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(run.err.starts_with("mivalto-cli : " + Utf8Path(cut) + " : analyse arrêtée avant la fin ("))
      << run.err;
}

// Every real graph is analysed to its end.
TEST(ProgramFiles, CorpusIsAnalysedToTheEnd) {
  std::vector<std::string> arguments = {"--format", "json"};
  for (const auto& entry : std::filesystem::directory_iterator(MIVALTO_CORPUS_DIR)) {
    if (entry.path().extension() == ".grf") arguments.push_back(entry.path().string());
  }
  if (arguments.size() < 4) GTEST_SKIP() << "fewer than two graphs in " MIVALTO_CORPUS_DIR;
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
