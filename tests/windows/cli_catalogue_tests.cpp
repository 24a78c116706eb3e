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
  std::filesystem::remove_all(graph.Path().parent_path() / kLongName);
  EXPECT_EQ(RunCli(L"\"\\\\serveur\\partage\\graphe.grf\"", output.Path().wstring()), 2u);
  EXPECT_EQ(ReadWhole(output.Path()),
            "mivalto-cli : \\\\serveur\\partage\\graphe.grf : fichier introuvable\n");
}

// What a console shows of the report and of an error, read back from its screen buffer: the
// French of both, and no escape sequence as text, whether the console takes colours or not.
TEST(CliOnWindows, AConsoleShowsReportAndErrorsInFrench) {
  const bool had_console = GetConsoleWindow() != nullptr;
  if (!had_console) {
    ASSERT_TRUE(AllocConsole()) << "got error " << GetLastError();
  }
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE screen = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                                  CONSOLE_TEXTMODE_BUFFER, nullptr);
  ASSERT_NE(screen, INVALID_HANDLE_VALUE) << "got error " << GetLastError();
  constexpr SHORT kWidth = 200, kHeight = 100;
  EXPECT_TRUE(SetConsoleScreenBufferSize(screen, {kWidth, kHeight}))
      << "got error " << GetLastError();
  const testing::TempFile graph(testing::PlaceAtSector(EmptyGraph().Bytes(), 1), "console.grf");
  const std::wstring missing = graph.Path().parent_path().wstring() + L"\\absent\\r.txt";
  EXPECT_EQ(RunProgram(L"\"" + testing::ProgramFolder() + L"mivalto-cli.exe\" --format ansi \"" +
                           graph.Path().wstring() + L"\"",
                       screen),
            0u);
  EXPECT_EQ(RunProgram(L"\"" + testing::ProgramFolder() + L"mivalto-cli.exe\" -o \"" + missing +
                           L"\" \"" + graph.Path().wstring() + L"\"",
                       screen),
            2u);
  std::wstring shown(static_cast<std::size_t>(kWidth) * kHeight, L' ');
  DWORD read = 0;
  EXPECT_TRUE(ReadConsoleOutputCharacterW(screen, shown.data(), static_cast<DWORD>(shown.size()),
                                          {0, 0}, &read));
  CloseHandle(screen);
  if (!had_console) FreeConsole();
  shown.resize(read);
  EXPECT_NE(shown.find(L"Analyse du fichier " + graph.Path().wstring() + L", modifié le "),
            std::wstring::npos) << WideToUtf8(shown);
  EXPECT_NE(shown.find(L"mivalto-cli : " + missing + L" : impossible d'écrire"),
            std::wstring::npos)
      << WideToUtf8(shown);
  EXPECT_EQ(shown.find(L"[0m"), std::wstring::npos) << WideToUtf8(shown);
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
