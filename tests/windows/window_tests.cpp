// The main window driven through its messages: title, places, the Save command's state,
// drop and paste, the proposed save name and the saved file.
#include <windows.h>
#include <dlgs.h>
#include <richedit.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <fstream>
#include <sstream>

#include "analysis/analysis_driver.h"
#include "platform/wide_text.h"
#include "report/formats/html_writer.h"
#include "report/formats/json_writer.h"
#include "report/formats/rtf_writer.h"
#include "support/test_files.h"
#include "ui/actions.h"
#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/report_file.h"
#include "ui/resource_ids.h"
#include "ui/resource_text.h"
#include "ui/shell_file_list.h"
#include "windows/window_fixture.h"

namespace mivalto::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

std::string ReadBytes(const std::wstring& path) {
  std::ifstream file{std::filesystem::path(path), std::ios::binary};
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

ui::DpiScale ScaleOf(HWND window) { return ui::DpiScale{GetDpiForWindow(window)}; }

void ExpectRect(const RECT& got, const RECT& expected, const char* what) {
  EXPECT_TRUE(EqualRect(&got, &expected))
      << what << ": got (" << got.left << ", " << got.top << ", " << got.right << ", " << got.bottom
      << "), expected (" << expected.left << ", " << expected.top << ", " << expected.right << ", "
      << expected.bottom << ")";
}

// The resize rule, checked against the window as it is now.
void ExpectResizeRule(HWND window) {
  RECT client, outer;
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  const RECT memo = PlaceOf(GetDlgItem(window, IDC_MEMO1));
  const int outer_width = outer.right - outer.left;
  EXPECT_EQ(memo.right - memo.left, client.right - 20) << "client width " << client.right;
  EXPECT_EQ(memo.bottom, client.bottom - 20) << "client height " << client.bottom;
  EXPECT_EQ(PlaceOf(GetDlgItem(window, IDC_CLOSE_BTN)).left, outer_width - 112)
      << "outer width " << outer_width;
  EXPECT_EQ(PlaceOf(GetDlgItem(window, IDC_APROPOS_BTN)).left, outer_width - 216)
      << "outer width " << outer_width;
}

class ShownWindow : public MainWindowTest {
 protected:
  ShownWindow() { show_command_ = SW_SHOWNOACTIVATE; }
};

TEST_F(ShownWindow, TitleNamesProgramVersionAndAuthorFromTheFirstDisplayOn) {
  EXPECT_TRUE(IsWindowVisible(Window()));
  EXPECT_EQ(TextOf(Window()), L"Mivalto 2.2.0 fr de Orvel Danth");
}

using WindowCreation = MainWindowTest;

TEST_F(WindowCreation, ControlsTakeTheirDesignPlacesScaledToTheScreen) {
  const ui::DpiScale scale = ScaleOf(Window());
  for (const ui::ActionDef& action : ui::kActions) {
    const int id = action.button_id;
    const RECT place = PlaceOf(Control(id));
    const RECT design = ui::ScaledRect(action.button_place, scale);
    EXPECT_EQ(place.top, design.top) << "button " << id;
    EXPECT_EQ(place.right - place.left, design.right - design.left) << "button " << id;
    EXPECT_EQ(place.bottom - place.top, design.bottom - design.top) << "button " << id;
    if (id != IDC_CLOSE_BTN && id != IDC_APROPOS_BTN) {
      EXPECT_EQ(place.left, design.left) << "button " << id;
    }
  }
  const RECT memo = PlaceOf(Control(IDC_MEMO1));
  EXPECT_EQ(memo.left, scale(10));
  EXPECT_EQ(memo.top, scale(95));
  RECT outer;
  GetWindowRect(Window(), &outer);
  ExpectRect(outer, ui::ScaledRect(ui::kWindowPlace, ui::DpiScale{GetDpiForSystem()}), "window");
  ExpectResizeRule(Window());
}

TEST_F(WindowCreation, ResizeKeepsMarginsAndMovesOnlyTheRightHandButtons) {
  const RECT ouvrir_before = PlaceOf(Control(IDC_OUVRIR_BTN));
  const RECT paste_before = PlaceOf(Control(IDC_PASTE_BTN));
  for (const SIZE size : {SIZE{900, 700}, SIZE{500, 300}, SIZE{1200, 450}}) {
    SetWindowPos(Window(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    SCOPED_TRACE(::testing::Message() << "outer size " << size.cx << " x " << size.cy);
    ExpectResizeRule(Window());
    ExpectRect(PlaceOf(Control(IDC_OUVRIR_BTN)), ouvrir_before, "OuvrirBtn");
    ExpectRect(PlaceOf(Control(IDC_PASTE_BTN)), paste_before, "PasteBtn");
  }
}

TEST_F(WindowCreation, MovingToAMonitorOfAnotherResolutionScalesTheDesign) {
  constexpr UINT kDpi = 144;  // the window still fits on the test's screen
  const ui::DpiScale scale{kDpi};
  RECT suggested = ui::ScaledRect(ui::kWindowPlace, scale);
  SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi),
               reinterpret_cast<LPARAM>(&suggested));
  ExpectRect(PlaceOf(Control(IDC_OUVRIR_BTN)), ui::ScaledRect(ui::FindAction(ID_AC_OUVRIR)->button_place, scale),
             "OuvrirBtn");
  EXPECT_EQ(PlaceOf(Control(IDC_MEMO1)).top, scale(95));
  RECT outer;
  GetWindowRect(Window(), &outer);
  ExpectRect(outer, suggested, "window");
  ExpectResizeRule(Window());
}

TEST_F(WindowCreation, ButtonsShowCaptionsAndHintsOfTheirActions) {
  struct Row {
    int button;
    const wchar_t* caption;
    const wchar_t* hint;
  };
  const Row rows[] = {
      {IDC_OUVRIR_BTN, L"Ouvrir", L"Ouvrir un fichier .grf"},
      {IDC_SAVE_BTN, L"Sauver", L"Enregistrer un fichier log avec l'analyse de "},
      {IDC_PASTE_BTN, L"Coller", L"Coller un fichier depuis le presse-papiers"},
      {IDC_APROPOS_BTN, L"A propos...", L"Pour avoir des informations sur Mivalto et Orvel Danth"},
      {IDC_CLOSE_BTN, L"Quitter", L"Quitter Mivalto"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(TextOf(Control(row.button)), row.caption);
    EXPECT_EQ(Main().WindowHints().Get(Control(row.button)), row.hint);
  }
}

TEST_F(WindowCreation, ContextMenuListsActionsWithShortcutsInOrder) {
  const HMENU menu = Main().PopupMenu();
  std::vector<std::wstring> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = L"";
    GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    items.push_back(text);
  }
  EXPECT_THAT(items, ElementsAre(L"Ouvrir\tCtrl+F", L"Coller\tCtrl+V", L"Sauver\tCtrl+S", L"",
                                 L"A propos...\tF1", L"Quitter\tAlt+F4"));
}

TEST_F(WindowCreation, LegendLabelsNameTheKindsOfFilter) {
  std::vector<std::wstring> labels;
  for (int i = 0; i < 4; ++i) labels.push_back(TextOf(Control(IDC_LEGEND_LABEL_FIRST + i)));
  EXPECT_THAT(labels, ElementsAre(L"DirectShow", L"DMO", L"Pnp", L"ACM"));
}

// The width a control's caption takes in the control's own font.
int CaptionWidth(HWND control) {
  return ui::CaptionSize(control, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)))
      .cx;
}

// What a button's glyph takes of its width: the glyph, its margins, the button's frame.
int GlyphRoom(HWND button) {
  BUTTON_IMAGELIST images{};
  SendMessageW(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
  int width = 0, height = 0;
  ImageList_GetIconSize(images.himl, &width, &height);
  constexpr int kFrame = 2;
  return images.margin.left + width + images.margin.right + 2 * kFrame;
}

int Width(HWND control) {
  RECT area;
  GetClientRect(control, &area);
  return area.right;
}

// Whole words on screen, at every resolution: a legend label holds its word and runs into
// no rectangle of the legend and no button; a button's caption fits beside its glyph (its
// frame, the glyph and the glyph's margin, all scaled).
TEST_F(WindowCreation, CaptionsFitTheirControlsAtEveryResolution) {
  Command(ID_AC_APROPOS);  // the about panel's close button too
  for (const UINT dpi : {GetDpiForWindow(Window()), 120u, 144u}) {
    const ui::DpiScale scale{dpi};
    RECT suggested = ui::ScaledRect(ui::kWindowPlace, scale);
    SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    std::vector<RECT> neighbours;
    for (const ui::LegendEntry& entry : ui::kLegend)
      neighbours.push_back(ui::ScaledRect(entry.shape, scale));
    for (const ui::ActionDef& action : ui::kActions)
      neighbours.push_back(PlaceOf(Control(action.button_id)));
    for (int i = 0; i < 4; ++i) {
      const HWND label = Control(IDC_LEGEND_LABEL_FIRST + i);
      SCOPED_TRACE(::testing::Message() << TextOf(label) << " at " << dpi << " dpi");
      EXPECT_LE(CaptionWidth(label), Width(label));
      const RECT place = PlaceOf(label);
      for (const RECT& neighbour : neighbours) {
        RECT overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &place, &neighbour))
            << "label ends at " << place.right << ", something begins at " << neighbour.left;
      }
    }
    std::vector<HWND> buttons{AboutControl(IDC_FERMER_BTN)};
    for (const ui::ActionDef& action : ui::kActions) buttons.push_back(Control(action.button_id));
    for (const HWND button : buttons) {
      EXPECT_LE(CaptionWidth(button) + GlyphRoom(button), Width(button))
          << TextOf(button) << " at " << dpi << " dpi";
    }
  }
}

TEST_F(WindowCreation, QuitClosesTheWindowAndEndsTheMessageLoop) {
  Command(ID_AC_QUITTER);
  EXPECT_EQ(Window(), nullptr);
  EXPECT_EQ(Main().About().Handle(), nullptr) << "every window lets go of its handle";
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

using SaveCommandState = MainWindowTest;

TEST_F(SaveCommandState, DisabledUntilTheFirstAnalysis) {
  EXPECT_FALSE(Main().ActionEnabled(ID_AC_SAUVER));
  EXPECT_FALSE(IsWindowEnabled(Control(IDC_SAVE_BTN)));
  EXPECT_EQ(GetMenuState(Main().PopupMenu(), ID_AC_SAUVER, MF_BYCOMMAND) & MF_GRAYED,
            UINT{MF_GRAYED});
  Command(ID_AC_SAUVER);  // Ctrl+S does nothing yet
  EXPECT_THAT(services_.save_requests, IsEmpty());

  Drop({WriteGraph(L"first.grf")});
  EXPECT_TRUE(Main().ActionEnabled(ID_AC_SAUVER));
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_SAVE_BTN)));
  EXPECT_EQ(GetMenuState(Main().PopupMenu(), ID_AC_SAUVER, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(SaveCommandState, EnabledEvenWhenTheFileCannotBeOpened) {
  const std::wstring folder = FolderPath();  // has a date, but is no file to read
  Drop({folder});
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_SAVE_BTN)));
  EXPECT_THAT(services_.errors, IsEmpty());
  EXPECT_EQ(TextOf(Control(IDC_LABEL1)), folder + L"  ");
  EXPECT_EQ(Main().WindowHints().Get(Control(IDC_SAVE_BTN)),
            L"Enregistrer un fichier log avec l'analyse de " + folder);
}

TEST_F(SaveCommandState, AMissingFileShowsTheDateErrorAndChangesOnlyTheCurrentName) {
  const std::wstring missing = FolderPath() + L"\\absent.grf";
  Drop({missing});
  EXPECT_THAT(services_.errors, ElementsAre(L"Invalid argument to date encode."));
  EXPECT_EQ(ui::CurrentFileName, missing);
  EXPECT_FALSE(IsWindowEnabled(Control(IDC_SAVE_BTN)));
  EXPECT_EQ(TextOf(Control(IDC_LABEL1)), L"");
  EXPECT_EQ(Main().WindowHints().Get(Control(IDC_SAVE_BTN)),
            L"Enregistrer un fichier log avec l'analyse de ");
}

using DropAndPaste = MainWindowTest;

TEST_F(DropAndPaste, DropOfThreeFilesAnalysesTheFirst) {
  const std::wstring first = WriteGraph(L"premier.grf");
  const HGLOBAL files = MakeFileList({first, WriteGraph(L"second.grf"), WriteGraph(L"third.grf")});
  SendMessageW(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(files), 0);
  EXPECT_EQ(ui::CurrentFileName, first);
  EXPECT_EQ(TextOf(Control(IDC_LABEL1)), first + L"  ");
  const std::wstring report = TextOf(Control(IDC_MEMO1));
  EXPECT_THAT(report, HasSubstr(L"PREMIER.GRF"));
  EXPECT_THAT(report, ::testing::Not(HasSubstr(L"SECOND.GRF")));
  EXPECT_EQ(GlobalSize(files), 0u) << "the drop handle is released";
}

TEST_F(DropAndPaste, NamesInAnyScriptArriveWhole) {
  const std::wstring name = WriteGraph(L"graphe \u00e9t\u00e9 \u65e5\u672c \U0001F3A5.grf");
  Drop({name});
  EXPECT_EQ(ui::CurrentFileName, name);
  EXPECT_THAT(services_.errors, IsEmpty());
  EXPECT_THAT(TextOf(Control(IDC_MEMO1)),
              HasSubstr(L"GRAPHE \u00e9T\u00e9 \u65e5\u672c \U0001F3A5.GRF"));
}

TEST_F(DropAndPaste, AnAnsiFileListIsReadToo) {
  const std::wstring name = WriteGraph(L"ansi.grf");
  Drop({name}, false);
  EXPECT_EQ(ui::CurrentFileName, name);
}

// A JSON report is a graph like a file's; a faulty one says where it is wrong.
TEST_F(DropAndPaste, AJsonReportIsAnalysedAndAFaultyOneShowsWhere) {
  const std::filesystem::path json = FolderPath() + L"\\graphe.json";
  std::ofstream(json) << R"({"graph": {"version": "0003", "filters": [{"id": "0001",
      "name": "Source JSON", "clsid": "{E436EBB5-524F-11CE-9F53-0020AF0BA770}"}],
      "connections": [], "clock": {"required": true, "reference": "0000"}}})";
  Drop({json.wstring()});
  EXPECT_THAT(services_.errors, IsEmpty());
  EXPECT_THAT(TextOf(Control(IDC_MEMO1)), HasSubstr(L"Source JSON"));
  std::ofstream(json) << R"({"graph": {"version": 3}})";
  Drop({json.wstring()});
  std::ofstream(json) << R"({"rapport": {}})";
  Drop({json.wstring()});
  const std::wstring named = json.wstring() + L" : ";
  EXPECT_THAT(services_.errors, ElementsAre(named + L"/graph/version : texte attendu.",
                                            StartsWith(named + L"ce n'est ni un rapport ni un")));
}

// A catalogue's JSON names the next graphs' filters and the title names it; a faulty one
// says where it is wrong and leaves the catalogue as it was. The graph on screen follows
// each change of catalogue, the context menu leads back, a saved report names the file.
TEST_F(DropAndPaste, ACatalogueNamesTheNextGraphsFilters) {
  const std::filesystem::path catalogue = FolderPath() + L"\\ailleurs.json";
  std::ofstream(catalogue) << R"({"dmos": [], "categories": [{"name": "c",
      "clsid": "{083863F1-70DE-11D0-BD40-00A0C911CE86}", "filters": [{"name": "Lecteur d'ailleurs",
      "clsid": "{E436EBB5-524F-11CE-9F53-0020AF0BA770}"}]}]})";
  Drop({catalogue.wstring()});
  const std::filesystem::path bad = FolderPath() + L"\\faux.json";
  std::ofstream(bad) << R"({"dmos": 1, "categories": []})";
  Drop({bad.wstring()});
  EXPECT_THAT(services_.errors, ElementsAre(HasSubstr(L"/dmos : tableau attendu")));
  EXPECT_THAT(TextOf(Window()), EndsWith(L"Catalogue : ailleurs.json"));
  const std::filesystem::path json = FolderPath() + L"\\graphe.json";
  std::ofstream(json) << R"({"graph": {"version": "0002", "filters": [{"id": "0001",
      "name": "Source", "clsid": "{E436EBB5-524F-11CE-9F53-0020AF0BA770}"}], "connections": []}})";
  Drop({json.wstring()});
  EXPECT_THAT(TextOf(Control(IDC_MEMO1)), HasSubstr(L"Lecteur d'ailleurs"));
  services_.save_answer = FolderPath() + L"\\nomme.json";
  Command(ID_AC_SAUVER);
  EXPECT_THAT(ReadBytes(*services_.save_answer), HasSubstr("\"catalogue\": \"ailleurs.json\""));
  EXPECT_NE(GetMenuState(Main().PopupMenu(), ID_MACHINE_CATALOGUE, MF_BYCOMMAND), ~0u);
  Command(ID_MACHINE_CATALOGUE);
  EXPECT_THAT(TextOf(Control(IDC_MEMO1)), ::testing::Not(HasSubstr(L"Lecteur d'ailleurs")));
  EXPECT_EQ(TextOf(Window()), L"Mivalto 2.2.0 fr de Orvel Danth");
  EXPECT_EQ(GetMenuState(Main().PopupMenu(), ID_MACHINE_CATALOGUE, MF_BYCOMMAND), ~0u);
  Drop({catalogue.wstring()});
  EXPECT_THAT(TextOf(Control(IDC_MEMO1)), HasSubstr(L"Lecteur d'ailleurs"));
}

TEST_F(DropAndPaste, AnEmptyListIsIgnored) {
  Drop({});
  EXPECT_EQ(ui::CurrentFileName, L"");
  EXPECT_THAT(services_.errors, IsEmpty());
}

// A name of 65,530 characters is taken (and fails as a missing file), one more is ignored.
TEST_F(DropAndPaste, FirstNameLengthLimitHoldsForDropAndPaste) {
  struct Row {
    std::size_t length;
    bool accepted;
  };
  for (const bool paste : {false, true}) {
    for (const Row row :
         {Row{ui::kMaxDroppedNameLength, true}, Row{ui::kMaxDroppedNameLength + 1, false}}) {
      SCOPED_TRACE(::testing::Message() << (paste ? "paste" : "drop") << ", length " << row.length);
      ui::CurrentFileName.clear();
      services_.errors.clear();
      const std::wstring name = L"C:\\" + std::wstring(row.length - 3, L'n');
      if (paste) {
        PutFilesOnClipboard({name, WriteGraph(L"short.grf")});
        Command(ID_AC_PASTE);
      } else {
        Drop({name, WriteGraph(L"short.grf")});
      }
      EXPECT_EQ(ui::CurrentFileName.size(), row.accepted ? row.length : 0u);
      EXPECT_EQ(services_.errors.size(), row.accepted ? 1u : 0u);
    }
  }
}

TEST_F(DropAndPaste, PasteAnalysesTheClipboardFileAndLeavesTheClipboardAsItWas) {
  const std::wstring name = WriteGraph(L"copie.grf");
  PutFilesOnClipboard({name});
  Command(ID_AC_PASTE);
  EXPECT_EQ(ui::CurrentFileName, name);
  EXPECT_THAT(TextOf(Control(IDC_MEMO1)), HasSubstr(L"COPIE.GRF"));
  ASSERT_TRUE(OpenClipboard(nullptr)) << "the clipboard was left open";
  const HANDLE data = GetClipboardData(CF_HDROP);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(ui::TakeDroppedFile(static_cast<HDROP>(data)), name);
  CloseClipboard();
}

TEST_F(DropAndPaste, PasteButtonFollowsTheClipboardOnActivation) {
  PutFilesOnClipboard({WriteGraph(L"a.grf")});
  Activate();
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_PASTE_BTN)));

  PutTextOnClipboard(L"du texte");
  Activate();
  EXPECT_FALSE(IsWindowEnabled(Control(IDC_PASTE_BTN)));
  EXPECT_TRUE(Main().ActionEnabled(ID_AC_PASTE)) << "Ctrl+V and the menu item stay enabled";
  EXPECT_EQ(GetMenuState(Main().PopupMenu(), ID_AC_PASTE, MF_BYCOMMAND) & MF_GRAYED, 0u);
  Command(ID_AC_PASTE);
  EXPECT_EQ(ui::CurrentFileName, L"") << "text on the clipboard: nothing to analyse";
}

TEST_F(DropAndPaste, OpenAnalysesTheChosenFileAndCancelChangesNothing) {
  Command(ID_AC_OUVRIR);
  EXPECT_EQ(ui::CurrentFileName, L"");
  ASSERT_EQ(services_.open_requests.size(), 1u);
  EXPECT_EQ(services_.open_requests[0].filter,
            L"Fichiers GraphEdit (*.grf)|*.grf|Rapports JSON de Mivalto (*.json)|*.json|Tous fichiers (*.*)|*.*");
  EXPECT_EQ(services_.open_requests[0].default_extension, L"grf");
  EXPECT_EQ(services_.open_requests[0].proposed_name, L"");

  services_.open_answer = WriteGraph(L"ouvert.grf");
  Command(ID_AC_OUVRIR);
  EXPECT_EQ(ui::CurrentFileName, *services_.open_answer);
}

TEST_F(DropAndPaste, ReportKeepsItsColoursAndBold) {
  Drop({WriteGraph(L"couleurs.grf")});
  const HWND memo = Control(IDC_MEMO1);
  const auto title_start = SendMessageW(memo, EM_LINEINDEX, 1, 0);  // line 0 is the separator
  SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(title_start), title_start + 3);
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  SendMessageW(memo, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format.crTextColor, RGB(128, 128, 0))
      << std::hex << "got colour " << format.crTextColor;
  EXPECT_TRUE(format.dwEffects & CFE_BOLD);
}

std::vector<int> TabOrder(HWND window) {
  std::vector<int> ids;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (id < IDC_LEGEND_LABEL_FIRST || id > IDC_LEGEND_LABEL_FIRST + 3)
      ids.push_back(id);  // labels take no focus
  }
  return ids;
}

TEST_F(DropAndPaste, EachAnalysisReplacesTheReportAndTheViewKeepsItsPlaceAndTabOrder) {
  const std::vector<int> expected_order{IDC_APROPOS_BTN, IDC_APROPOS_FRAME1, IDC_OUVRIR_BTN,
                                        IDC_CLOSE_BTN,   IDC_SAVE_BTN,       IDC_PASTE_BTN,
                                        IDC_PANEL1,      IDC_MEMO1};
  EXPECT_EQ(TabOrder(Window()), expected_order);
  const RECT place = PlaceOf(Control(IDC_MEMO1));
  Drop({WriteGraph(L"un.grf")});
  Drop({WriteGraph(L"deux.grf")});
  const std::wstring report = TextOf(Control(IDC_MEMO1));
  EXPECT_THAT(report, HasSubstr(L"DEUX.GRF"));
  EXPECT_THAT(report, ::testing::Not(HasSubstr(L"UN.GRF")));
  EXPECT_EQ(TabOrder(Window()), expected_order);
  ExpectRect(PlaceOf(Control(IDC_MEMO1)), place, "Memo1");
  EXPECT_EQ(SendMessageW(Control(IDC_MEMO1), EM_GETOPTIONS, 0, 0) & ECO_READONLY, ECO_READONLY);
}

// A key as the program's message loop hands it on: to the window's keyboard handling first,
// then, if unused there, to the control that has the focus; with other keys held down.
void PressKey(ui::MainWindow& window, WORD key, std::initializer_list<BYTE> held) {
  BYTE state[256];
  GetKeyboardState(state);
  BYTE pressed[256];
  std::copy(std::begin(state), std::end(state), pressed);
  for (const BYTE other : held) pressed[other] = 0x80;
  SetKeyboardState(pressed);
  MSG message{GetFocus(), WM_KEYDOWN, key, 1, GetMessageTime(), {}};
  if (!window.PreTranslateMessage(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  SetKeyboardState(state);
}

// The report and the about text take every other key, but Tab and Shift+Tab go on through
// the window's tab order.
TEST_F(ShownWindow, TabAndShiftTabLeaveTheTextViews) {
  PutFilesOnClipboard({WriteGraph(L"tab.grf")});
  Activate();  // the Paste button is enabled, so Shift+Tab stops on it
  struct Row {
    const char* what;
    bool in_about;  // a control of the about panel, which is open
    int from;
    std::initializer_list<BYTE> held;
    int to;
  };
  const Row rows[] = {
      {"Tab in the report", false, IDC_MEMO1, {}, IDC_APROPOS_BTN},
      {"Shift+Tab in the report", false, IDC_MEMO1, {VK_SHIFT}, IDC_PASTE_BTN},
      {"Ctrl+Tab in the report", false, IDC_MEMO1, {VK_CONTROL}, IDC_MEMO1},
      {"Tab in the about text", true, IDC_RX_APROPOS, {}, IDC_FERMER_BTN},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    if (row.in_about != Main().ActionChecked(ID_AC_APROPOS)) Command(ID_AC_APROPOS);
    const auto control = [&](int id) { return row.in_about ? AboutControl(id) : Control(id); };
    SetFocus(control(row.from));
    ASSERT_EQ(GetFocus(), control(row.from));
    PressKey(Main(), VK_TAB, row.held);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), row.to);
  }
}

using SaveCommand = MainWindowTest;

TEST_F(SaveCommand, ProposesTheGraphPathWithLogAndTheSaveFilters) {
  const std::wstring graph = WriteGraph(L"graphe.grf");
  Drop({graph});
  Command(ID_AC_SAUVER);
  ASSERT_EQ(services_.save_requests.size(), 1u);
  EXPECT_EQ(services_.save_requests[0].proposed_name, FolderPath() + L"\\graphe.log");
  EXPECT_EQ(services_.save_requests[0].filter,
            L"Fichier Log (*.log)|*.log|Fichier Texte (*.txt)|*.txt|Page HTML (*.html)|*.html|Rapport JSON (*.json)|*.json|"
            L"Tous fichiers (*.*)|*.*");
  EXPECT_EQ(services_.save_requests[0].default_extension, L"log");
}

TEST_F(SaveCommand, WritesRtfWithTheReportColoursEvenAsText) {
  Drop({WriteGraph(L"graphe.grf")});
  services_.save_answer = FolderPath() + L"\\analyse.txt";
  Command(ID_AC_SAUVER);
  const std::string saved = ReadBytes(*services_.save_answer);
  EXPECT_THAT(saved, StartsWith("{\\rtf1"));
  EXPECT_THAT(saved, HasSubstr("\\red128\\green128\\blue0"));  // the olive titles
  EXPECT_THAT(saved, HasSubstr("GRAPHE.GRF"));
  EXPECT_THAT(services_.errors, IsEmpty());
}

// The save dialog itself, as a person uses it: a timer of the dialog's own thread picks
// "Page HTML" in its list of types as a click does, then confirms.
void CALLBACK ChooseHtmlAndConfirm(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = FindWindowW(L"#32770", nullptr);
  const HWND types = GetDlgItem(dialog, cmb1);
  if (!types) return;  // not open yet
  KillTimer(nullptr, timer);
  SendMessageW(types, CB_SETCURSEL, 2, 0);
  for (const WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, notification), LPARAM(types));
  SendMessageW(dialog, WM_COMMAND, IDOK, LPARAM(GetDlgItem(dialog, IDOK)));
}

TEST_F(SaveCommand, TheDialogsNameTakesTheChosenTypesExtension) {
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, ChooseHtmlAndConfirm);
  const std::optional<ui::SaveChoice> choice = ui::DesktopServices()->AskSavePath(
      Window(), {ui::SaveFilter(), L"log", FolderPath() + L"\\preview.log"});
  KillTimer(nullptr, timer);
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->type, 3);
  EXPECT_EQ(choice->path, FolderPath() + L"\\preview.html");
}

// The same page or JSON as the command-line tool writes for the same walk, picture and graph
// included.
TEST_F(SaveCommand, WritesThePageOrTheJsonUnderTheirNames) {
  const std::wstring graph =
      (std::filesystem::path(SamplesDir()) / "capture-preview.grf").make_preferred().wstring();
  Drop({graph});
  FilterCatalogue catalogue = BuildCatalogue();
  ReportView view;
  const AnalysisResult walk = AnalyseFile(WideToUtf8(graph), WideToUtf8(graph), catalogue, calendar_, view);
  ReleaseCatalogue(catalogue);
  const ReportDocument document{
      WideToUtf8(graph), walk.complete, &view, &walk.graph, {}, &walk.findings};
  const std::tuple<const wchar_t*, int, ReportWriter> rows[] = {  // name, type chosen (0: none)
      {L"\\page.HTML", 0, WriteHtml}, {L"\\rapport.json", 5, WriteJson},
      {L"\\preview.log", 3, WriteHtml}, {L"\\rapport.txt", 4, WriteJson},
      {L"\\journal.htm", 1, WriteRtf}};
  for (const auto& [name, type, write] : rows) {
    services_.save_answer = FolderPath() + name;
    services_.save_type = type;
    Command(ID_AC_SAUVER);
    EXPECT_THAT(services_.errors, IsEmpty());
    std::ostringstream expected;
    write(std::span(&document, 1), expected);
    EXPECT_EQ(ReadBytes(*services_.save_answer), expected.str());
  }
  const std::string page = ReadBytes(FolderPath() + L"\\page.HTML");
  std::size_t nodes = 0;
  for (std::size_t at = page.find("class=\"node\""); at != std::string::npos;
       at = page.find("class=\"node\"", at + 1)) {
    ++nodes;
  }
  EXPECT_EQ(nodes, walk.graph.filters.size());
  EXPECT_GT(nodes, 0u);
}

TEST_F(SaveCommand, ReplacesAnExistingFileAndLeavesNoTemporaryFile) {
  const std::wstring graph = WriteGraph(L"graphe.grf");
  Drop({graph});
  services_.save_answer = graph;  // saved over the graph itself, after the dialog's question
  Command(ID_AC_SAUVER);
  EXPECT_THAT(ReadBytes(graph), StartsWith("{\\rtf1"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(SaveCommand, AFailedSaveShowsCannotCreateFileAndKeepsTheOldFile) {
  const std::wstring graph = WriteGraph(L"graphe.grf");
  Drop({graph});
  const std::string before = ReadBytes(graph);
  // Another program holds the graph open and lets nobody delete or replace it.
  const HANDLE held =
      CreateFileW(graph.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  services_.save_answer = graph;
  Command(ID_AC_SAUVER);
  CloseHandle(held);
  ASSERT_EQ(services_.errors.size(), 1u);
  EXPECT_THAT(services_.errors[0], StartsWith(L"Cannot create file \"" + graph + L"\". "));
  EXPECT_EQ(services_.errors[0].back(), L'.');
  EXPECT_EQ(ReadBytes(graph), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
  EXPECT_TRUE(IsWindowEnabled(Control(IDC_SAVE_BTN)));
}

TEST_F(SaveCommand, AMissingFolderShowsCannotCreateFile) {
  Drop({WriteGraph(L"graphe.grf")});
  services_.save_answer = FolderPath() + L"\\absent\\analyse.log";
  Command(ID_AC_SAUVER);
  ASSERT_EQ(services_.errors.size(), 1u);
  EXPECT_THAT(services_.errors[0],
              StartsWith(L"Cannot create file \"" + *services_.save_answer + L"\". "));
}

TEST_F(SaveCommand, CancelWritesNothing) {
  Drop({WriteGraph(L"graphe.grf")});
  Command(ID_AC_SAUVER);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
  EXPECT_THAT(services_.errors, IsEmpty());
}

}  // namespace
}  // namespace mivalto::testing
