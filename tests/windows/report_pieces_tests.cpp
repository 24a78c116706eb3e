// A large report shows piece by piece: its first lines at once, the rest on the window's idle
// time, without moving what the user selected or scrolled to; a new analysis drops what is
// left of the old one.
#include <windows.h>
#include <richedit.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/wide_text.h"
#include "support/file_layout.h"
#include "support/graph_text.h"
#include "ui/report_control.h"
#include "ui/resource_ids.h"
#include "windows/window_fixture.h"

namespace mivalto::testing {
namespace {

using ::testing::IsEmpty;

class LargeReport : public MainWindowTest {
 protected:
  // A graph of that many filters: one report line each.
  std::wstring WriteLargeGraph(const std::wstring& name, int filters) const {
    GraphText text;
    text.Line("0002").Line("FILTERS");
    for (int i = 1; i <= filters; ++i) {
      char number[8];
      std::snprintf(number, sizeof number, "%04d", i);
      text.Filter({.number = number,
                   .name = "Filtre " + std::string(number),
                   .clsid = "{B87BEB7B-8D29-423F-AE4D-6582C10175AC}"});
    }
    return WriteGraph(name, PlaceAtSector(text.Line("CONNECTIONS").Text("END").Bytes(), 1));
  }

  // Handles the window's messages until Memo1 shows the whole report.
  void ShowWholeReport() {
    const ULONGLONG deadline = GetTickCount64() + 120'000;
    while (!Main().ReportFullyShown() && GetTickCount64() < deadline) {
      MSG message;
      if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
      } else {
        Sleep(1);
      }
    }
    ASSERT_TRUE(Main().ReportFullyShown());
  }

  HWND Memo() const { return Control(IDC_MEMO1); }
  std::size_t MemoLines() const {
    return static_cast<std::size_t>(SendMessageW(Memo(), EM_GETLINECOUNT, 0, 0));
  }
  LRESULT LineStart(int line) const { return SendMessageW(Memo(), EM_LINEINDEX, line, 0); }

  // Line `line` of Memo1, without its paragraph mark.
  std::wstring MemoLine(std::size_t line) const {
    std::wstring text(1024, L'\0');
    text[0] = static_cast<wchar_t>(text.size() - 1);  // EM_GETLINE reads the room it has there
    text.resize(static_cast<std::size_t>(SendMessageW(Memo(), EM_GETLINE, line,
                                                      reinterpret_cast<LPARAM>(text.data()))));
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
    return text;
  }

  // Lines of Memo1 that differ from the report's (at most a few, for the message).
  std::vector<std::string> MemoDifferences() const {
    std::vector<std::string> differences;
    const std::span<const ReportLine> lines = Main().Report().Lines();
    for (std::size_t i = 0; i < lines.size() && differences.size() < 5; ++i) {
      const std::string shown = WideToUtf8(MemoLine(i));
      if (shown != lines[i].text) {
        differences.push_back(std::to_string(i) + ": \"" + shown + "\" instead of \"" +
                              std::string(lines[i].text) + "\"");
      }
    }
    return differences;
  }

  // The lines Memo1 holds; a last paragraph mark may count as one more, empty line.
  void ExpectMemoLines(std::size_t lines) const {
    const std::size_t held = MemoLines();
    EXPECT_TRUE(held == lines || (held == lines + 1 && MemoLine(lines).empty()))
        << held << " lines for " << lines;
  }
};

TEST_F(LargeReport, ShowsItsFirstPieceAtOnceAndTheRestWhileIdleWhereTheUserLeftIt) {
  Drop({WriteLargeGraph(L"grand.grf", 5000)});
  const std::size_t lines = Main().Report().Lines().size();
  ASSERT_GT(lines, 2 * ui::kReportPieceLines);
  EXPECT_FALSE(Main().ReportFullyShown());
  ExpectMemoLines(ui::kReportPieceLines);

  SendMessageW(Memo(), EM_SETSEL, LineStart(20), LineStart(20) + 6);
  SendMessageW(Memo(), WM_VSCROLL, SB_PAGEDOWN, 0);
  const auto first_visible = SendMessageW(Memo(), EM_GETFIRSTVISIBLELINE, 0, 0);
  ASSERT_GT(first_visible, 20);
  ShowWholeReport();

  ExpectMemoLines(lines);
  EXPECT_THAT(MemoDifferences(), IsEmpty());
  CHARRANGE selection{};
  SendMessageW(Memo(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  EXPECT_EQ(selection.cpMin, LineStart(20));
  EXPECT_EQ(selection.cpMax, LineStart(20) + 6);
  EXPECT_EQ(SendMessageW(Memo(), EM_GETFIRSTVISIBLELINE, 0, 0), first_visible);
}

TEST_F(LargeReport, KeepsItsColoursAcrossPieces) {
  Drop({WriteLargeGraph(L"couleurs.grf", 3000)});
  ShowWholeReport();
  const auto last = static_cast<int>(Main().Report().Lines().size()) - 1;
  SendMessageW(Memo(), EM_SETSEL, LineStart(last), LineStart(last) + 3);  // "END", olive, bold
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  SendMessageW(Memo(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format.crTextColor, RGB(128, 128, 0)) << std::hex << format.crTextColor;
  EXPECT_TRUE(format.dwEffects & CFE_BOLD);
}

TEST_F(LargeReport, ANewAnalysisDropsWhatIsLeftOfTheOldReport) {
  Drop({WriteLargeGraph(L"grand.grf", 5000)});
  ASSERT_FALSE(Main().ReportFullyShown());
  Drop({WriteGraph(L"petit.grf")});
  ShowWholeReport();
  // Whatever timer ticks were due, only the new report is in the view.
  MSG message;
  for (int i = 0; i < 50; ++i) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(2);
  }
  ExpectMemoLines(Main().Report().Lines().size());
  EXPECT_THAT(MemoDifferences(), IsEmpty());
}

}  // namespace
}  // namespace mivalto::testing
