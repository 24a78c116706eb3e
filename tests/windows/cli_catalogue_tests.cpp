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

std::string JsonEscaped(std::string text) {
  for (std::size_t at = text.find('\\'); at != std::string::npos; at = text.find('\\', at + 2))
    text.insert(at, 1, '\\');
  return text;
}

GraphText EmptyGraph() {
  GraphText text;
  text.Text("0002\r\nFILTERS\r\nCONNECTIONS\r\n").End();
  return text;
}

// A file is named as given, or by the system's full path of it: device and verbatim prefixes,
// a path longer than MAX_PATH; a missing share is named as it was given.
TEST(CliOnWindows, PathsAreNamedAsWindowsGivesThem) {
  const testing::TempFile graph(testing::PlaceAtSector(EmptyGraph().Bytes(), 1), "chemins.grf");
  const std::wstring full = graph.Path().wstring();
  const std::wstring kLongName = L"dossier-au-nom-assez-long-pour-depasser-max-path";
  std::filesystem::path deep = graph.Path().parent_path();
  while (deep.wstring().size() < 300) deep /= kLongName;
  std::filesystem::create_directories(deep);
  std::filesystem::copy_file(graph.Path(), deep / L"profond.grf");
  const testing::TempFile output(std::vector<std::uint8_t>{}, "chemins.json");
  for (const std::wstring& given :
       {L"\\\\?\\" + full, L"\\\\.\\" + full, (deep / L"profond.grf").wstring()}) {
    EXPECT_EQ(RunCli(L"--format json \"" + given + L"\"", output.Path().wstring()), 0u)
        << WideToUtf8(given);
    const std::string json = ReadWhole(output.Path());
    const std::string shown = JsonEscaped(WideToUtf8(given));
    EXPECT_NE(json.find("\"file\": \"" + shown + "\""), std::string::npos) << json;
    EXPECT_NE(json.find("Analyse du fichier " + shown + ", modifié le "), std::string::npos)
        << json;
  }
  // Removed by the system's calls: the C library's fail beyond MAX_PATH.
  DeleteFileW((deep / L"profond.grf").c_str());
  for (; deep != graph.Path().parent_path(); deep = deep.parent_path()) {
    EXPECT_TRUE(RemoveDirectoryW(deep.c_str())) << "got error " << GetLastError();
  }
  EXPECT_EQ(RunCli(L"\"\\\\serveur\\partage\\graphe.grf\"", output.Path().wstring()), 2u);
  EXPECT_EQ(ReadWhole(output.Path()),
            "mivalto-cli : \\\\serveur\\partage\\graphe.grf : fichier introuvable\n");
}

std::wstring Variable(const wchar_t* name) {
  wchar_t value[1024] = L"";
  GetEnvironmentVariableW(name, value, 1024);
  return value;
}

std::wstring CliCommand(const std::wstring& arguments) {
  return L"\"" + testing::ProgramFolder() + L"mivalto-cli.exe\" " + arguments;
}

// Run by the next test, in a console of its own (the test's may be no real one): mivalto-cli
// writes a report and an error into a screen buffer, whose characters go to the file
// MIVALTO_CONSOLE_TEXT names.
TEST(CliOnWindows, DISABLED_WritesWhatItsConsoleShows) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE screen = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                                  CONSOLE_TEXTMODE_BUFFER, nullptr);
  ASSERT_NE(screen, INVALID_HANDLE_VALUE) << "got error " << GetLastError();
  constexpr SHORT kWidth = 200, kHeight = 100;
  SetConsoleScreenBufferSize(screen, {kWidth, kHeight});
  const std::wstring graph = Variable(L"MIVALTO_CONSOLE_GRAPH");
  RunProgram(CliCommand(L"--format ansi \"" + graph + L"\""), screen);
  RunProgram(CliCommand(L"-o \"" + graph + L".absent\\r.txt\" \"" + graph + L"\""), screen);
  std::wstring shown(static_cast<std::size_t>(kWidth) * kHeight, L' ');
  DWORD read = 0;
  ReadConsoleOutputCharacterW(screen, shown.data(), static_cast<DWORD>(shown.size()), {0, 0}, &read);
  CloseHandle(screen);
  shown.resize(read);
  std::ofstream(std::filesystem::path(Variable(L"MIVALTO_CONSOLE_TEXT")), std::ios::binary)
      << WideToUtf8(shown);
}

// What a console shows of the report and of an error, read back from its screen buffer: the
// French of both. (Wine's console takes virtual-terminal processing and shows the escape
// sequences all the same: the plain text of consoles that refuse it is checked on its own.)
TEST(CliOnWindows, AConsoleShowsReportAndErrorsInFrench) {
  const testing::TempFile graph(testing::PlaceAtSector(EmptyGraph().Bytes(), 1), "console.grf");
  const testing::TempFile text(std::vector<std::uint8_t>{}, "console.txt");
  SetEnvironmentVariableW(L"MIVALTO_CONSOLE_GRAPH", graph.Path().c_str());
  SetEnvironmentVariableW(L"MIVALTO_CONSOLE_TEXT", text.Path().c_str());
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(RunProgram(L"\"" + std::wstring(self) +
                           L"\" --gtest_also_run_disabled_tests "
                           L"--gtest_filter=CliOnWindows.DISABLED_WritesWhatItsConsoleShows",
                       nullptr),
            0u);
  const std::string shown = ReadWhole(text.Path());
  const std::string path = WideToUtf8(graph.Path().wstring());
  EXPECT_NE(shown.find("Analyse du fichier " + path + ", modifié le "), std::string::npos)
      << shown;
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
