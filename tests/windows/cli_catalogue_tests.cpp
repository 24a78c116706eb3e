// The Windows command-line tool names the filters of a graph from the machine's catalogue,
// names files by the paths Windows users give, and writes French that a console shows right.
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

using testing::ByteVector;
using testing::GraphText;
using testing::ReadWhole;
using testing::RunProgram;

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

ByteVector EmptyGraph() {
  GraphText text;
  return testing::PlaceAtSector(text.Text("0002\r\nFILTERS\r\nCONNECTIONS\r\n").End().Bytes(), 1);
}

// A file is named as given, or by the system's full path of it (the JSON's "file" too): the
// device and verbatim prefixes stay, a missing share is named as it was given.
TEST(CliOnWindows, PathsAreNamedAsWindowsGivesThem) {
  const testing::TempFile graph(EmptyGraph(), "chemins.grf");
  const testing::TempFile output(std::vector<std::uint8_t>{}, "chemins.txt");
  const std::tuple<std::wstring, DWORD, std::string> rows[] = {  // prefix, status, shown
      {L"\\\\?\\", 0, "Analyse du fichier \\\\?\\" + graph.Utf8() + ", "},
      {L"\\\\.\\", 0, "Analyse du fichier \\\\.\\" + graph.Utf8() + ", "},
      {L"\\\\serveur\\partage\\", 2, "mivalto-cli : \\\\serveur\\partage\\C:"}};
  for (const auto& [prefix, status, shown] : rows) {
    EXPECT_EQ(RunCli(L"\"" + prefix + graph.Path().wstring() + L"\"", output.Path().wstring()),
              status);
    EXPECT_NE(ReadWhole(output.Path()).find(shown), std::string::npos) << ReadWhole(output.Path());
  }
}

// Run by the next test in a console of its own (the test's may be no real one): mivalto-cli
// writes a report and an error into a screen buffer, whose text goes to MIVALTO_CONSOLE_TEXT.
TEST(CliOnWindows, DISABLED_WritesWhatItsConsoleShows) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE screen = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                                  CONSOLE_TEXTMODE_BUFFER, nullptr);
  ASSERT_NE(screen, INVALID_HANDLE_VALUE) << "got error " << GetLastError();
  SetConsoleScreenBufferSize(screen, {200, 100});
  const std::wstring cli = L"\"" + testing::ProgramFolder() + L"mivalto-cli.exe\" ",
                     graph = L"\"" + std::wstring(_wgetenv(L"MIVALTO_CONSOLE_GRAPH"));
  RunProgram(cli + L"--format ansi " + graph + L"\"", screen);
  RunProgram(cli + L"-o " + graph + L".absent\\r.txt\" " + graph + L"\"", screen);
  std::wstring shown(200 * 100, L' ');
  DWORD read = 0;
  ReadConsoleOutputCharacterW(screen, shown.data(), 200 * 100, {0, 0}, &read);
  CloseHandle(screen);
  std::ofstream(_wgetenv(L"MIVALTO_CONSOLE_TEXT"), std::ios::binary)
      << WideToUtf8(shown.substr(0, read));
}

// What a console shows of the report and of an error, read back from its screen buffer: the
// French of both. (Wine's console takes virtual-terminal processing and shows the escape
// sequences all the same: the plain text of consoles that refuse it is checked on its own.)
TEST(CliOnWindows, AConsoleShowsReportAndErrorsInFrench) {
  const testing::TempFile graph(EmptyGraph(), "console.grf");
  const testing::TempFile text(std::vector<std::uint8_t>{}, "console.txt");
  SetEnvironmentVariableW(L"MIVALTO_CONSOLE_GRAPH", graph.Path().c_str());
  SetEnvironmentVariableW(L"MIVALTO_CONSOLE_TEXT", text.Path().c_str());
  EXPECT_EQ(RunProgram(L"\"" + testing::ProgramFolder() + L"cli_windows_tests.exe\" "
                           L"--gtest_also_run_disabled_tests --gtest_filter=*ConsoleShows",
                       nullptr),
            0u);
  const std::string shown = ReadWhole(text.Path()), path = graph.Utf8();
  EXPECT_NE(shown.find("Analyse du fichier " + path + ", modifié"), std::string::npos) << shown;
  EXPECT_NE(shown.find("mivalto-cli : " + path + ".absent\\r.txt : impossible d'écrire"),
            std::string::npos)
      << shown;
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
