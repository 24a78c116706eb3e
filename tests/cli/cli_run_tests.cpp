#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "report/json_writer.h"
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

const OutputFormat kJson{"json", WriteJson};
const OutputFormat kText{"text", WriteText};

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
  EXPECT_EQ(err_.str().find("mivalto-cli : " + folder + " : impossible d'ouvrir le fichier\n"), 0u)
      << err_.str();
  EXPECT_NE(err_.str().find(no_graph_.Utf8() + " : analyse arrêtée"), std::string::npos);
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

// The graph is read before the output replaces it.
TEST_F(RunCliTest, OutputMayReplaceTheGraphItself) {
  const TempFile graph{SampleBytes("minimal-0002.grf"), "remplacé.grf"};
  EXPECT_EQ(Run(kText, {graph.Utf8()}, graph.Utf8()), 0);
  EXPECT_TRUE(ReadWhole(graph.Path()).starts_with(std::string(100, '-') + "\nREMPLACé.GRF\n"));
}

TEST_F(RunCliTest, OutputThatCantBeWrittenGivesStatusTwo) {
  const std::string folder = Utf8Path(TempFolder());
  EXPECT_EQ(Run(kText, {complete_.Utf8()}, folder), 2);
  EXPECT_EQ(err_.str(), "mivalto-cli : " + folder + " : impossible d'écrire\n");
}

// A format that refuses the reports (as svg refuses a graph too large to draw) writes nothing,
// not even an empty output file, and says why.
TEST_F(RunCliTest, RefusedFormatWritesNothingAndGivesStatusTwo) {
  const OutputFormat refusing{"refusing", WriteText,
                              [](std::span<const ReportDocument>) -> std::optional<std::string> {
                                return "graphe trop grand";
                              }};
  const std::string output = Utf8Path(TempFolder() / "refusé.svg");
  EXPECT_EQ(Run(refusing, {complete_.Utf8()}, output), 2);
  EXPECT_FALSE(std::filesystem::exists(std::u8string(output.begin(), output.end())));
  EXPECT_EQ(err_.str(), "mivalto-cli : " + output + " : graphe trop grand\n");
}

}  // namespace
}  // namespace mivalto
