// The Windows command-line tool names the filters of a graph from the machine's catalogue.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalogue/catalogue.h"
#include "platform/wide_text.h"
#include "support/file_layout.h"
#include "support/graph_text.h"
#include "run_program.h"
#include "support/temp_file.h"
#include "support/test_files.h"

namespace mivalto {
namespace {

using testing::GraphText;
using testing::ReadWhole;

// Runs mivalto-cli.exe with its output sent to a file; returns its exit code.
DWORD RunCli(const std::wstring& arguments, const std::wstring& output_path) {
  return testing::RunProgram(L"\"" + testing::ProgramFolder() + L"mivalto-cli.exe\" " + arguments,
                             output_path);
}

TEST(CliOnWindows, NamesAFilterFromTheMachinesCatalogue) {
  FilterCatalogue catalogue = BuildCatalogue();
  const auto known = std::find_if(catalogue.KnownFilters.begin(), catalogue.KnownFilters.end(),
                                  [](const TfilterItem& f) {
                                    return f.CLSID != kGuidNull && f.CLSID != kClsidProxy && !f.Name.empty();
                                  });
  if (known == catalogue.KnownFilters.end()) GTEST_SKIP() << "this machine registers no filter";
  // The first catalogue entry of that class names it, as the tool sees the same catalogue.
  const auto first = std::find_if(catalogue.KnownFilters.begin(), known + 1,
                                  [&](const TfilterItem& f) { return f.CLSID == known->CLSID; });
  const std::string clsid = GuidText(known->CLSID);

  GraphText text;
  text.Text("0002\r\nFILTERS\r\n").Filter({"0001", "Mine", clsid}).Text("CONNECTIONS\r\n").End();
  const testing::TempFile graph(testing::PlaceAtSector(text.Bytes(), 1), "catalogue.grf");
  const testing::TempFile output(std::vector<std::uint8_t>{}, "catalogue.txt");

  EXPECT_EQ(RunCli(L"--format text \"" + graph.Path().wstring() + L"\"", output.Path().wstring()), 0u);
  const std::string report = ReadWhole(output.Path());
  EXPECT_NE(report.find("0001  \"Mine\"  : " + first->Name + " " + clsid + "  "), std::string::npos)
      << report;
}

// Every real graph file is read to its end marker by the Windows program too.
TEST(CliOnWindows, ReadsEveryCorpusFileToTheEnd) {
  const std::optional<std::string> corpus_dir = testing::CorpusDir();
  if (!corpus_dir) GTEST_SKIP() << testing::kNoCorpus;
  const std::filesystem::path corpus = std::filesystem::u8path(*corpus_dir);
  const testing::TempFile output(std::vector<std::uint8_t>{}, "corpus.txt");
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (entry.path().extension() != ".grf") continue;
    ++files;
    EXPECT_EQ(RunCli(L"--format text \"" + entry.path().wstring() + L"\"", output.Path().wstring()), 0u)
        << entry.path();
    const std::string report = ReadWhole(output.Path());
    EXPECT_TRUE(report.ends_with("\nEND\n")) << entry.path() << "\n" << report;
  }
  EXPECT_EQ(files, 7);
}

}  // namespace
}  // namespace mivalto
